// Fuzzes the text codec with the bytes of a model file: any bytes, as a file may hold.
//  - Decoding gives a text whose every line break is CR LF, and encoding that text unchanged
//    gives back the file's bytes (up to its first zero byte).
//  - A file whose breaks are all of the kind of its first one loses nothing in the decoder:
//    the text with a character typed at its end encodes as the file's bytes and that character.
//  - Whatever is typed (at the start, in the middle, at the end; Latin-1, beyond it, an emoji,
//    a line break) survives a save and a reload: decoding the saved bytes gives the edited text.
#include "FuzzCheck.h"

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QString>

#include <cstring>

namespace {

// True when every line break of `bytes` is the line end the codec chose, and (for UTF-8) no
// U+2029, which the codec shows as a line break, stands in the text.
bool UniformBreaks(const QByteArray &bytes, const TextCodec &codec)
{
    if (codec.encoding() == TextCodec::Encoding::Utf8 && bytes.contains("\xE2\x80\xA9"))
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        switch (codec.lineEnd()) {
        case TextCodec::LineEnd::CrLf:
            if ((bytes[i] == '\r' && !crlf) || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')))
                return false;
            break;
        case TextCodec::LineEnd::Lf:
            if (bytes[i] == '\r')
                return false;
            break;
        case TextCodec::LineEnd::Cr:
            if (bytes[i] == '\n')
                return false;
            break;
        }
    }
    return true;
}

void CheckBreaks(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool cr = text[i] == u'\r', lf = text[i] == u'\n';
        FuzzRequire(!cr || (i + 1 < text.size() && text[i + 1] == u'\n'), "a CR in the text starts a CR LF");
        FuzzRequire(!lf || (i > 0 && text[i - 1] == u'\r'), "an LF in the text ends a CR LF");
        FuzzRequire(text[i] != QChar::ParagraphSeparator, "U+2029 is shown as a line break");
    }
}

void CheckEditSurvives(const TextCodec &codec, const QString &edited)
{
    const QByteArray saved = codec.Encode(edited);
    TextCodec reloaded;
    FuzzRequire(reloaded.Decode(saved.constData(), saved.size()) == edited, "what is typed survives a save and a reload");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);
    const void *zero = std::memchr(bytes, 0, size);
    const QByteArray file(bytes, zero ? static_cast<const char *>(zero) - bytes : length);

    TextCodec codec;
    const QString text = codec.Decode(bytes, length);
    CheckBreaks(text);
    codec.SetLoadedText(text);
    FuzzRequire(codec.Encode(text) == file, "an unchanged text encodes as the bytes it came from");

    if (UniformBreaks(file, codec))
        FuzzRequire(codec.Encode(text + u'x') == file + 'x', "the decoder loses nothing of the file");

    const QString typed[] = {QStringLiteral("x"), QStringLiteral("caf\u00E9"), QStringLiteral("\u20AC"),
                             QStringLiteral("\U0001F600"), QStringLiteral("\r\n")};
    const qsizetype middle = text.size() / 2;
    const bool middleSplitsBreak = middle > 0 && text[middle - 1] == u'\r';
    const bool middleSplitsPair = middle > 0 && text[middle].isLowSurrogate();
    for (const QString &what : typed) {
        CheckEditSurvives(codec, what + text);
        CheckEditSurvives(codec, text + what);
        if (!middleSplitsBreak && !middleSplitsPair)
            CheckEditSurvives(codec, text.left(middle) + what + text.mid(middle));
    }
    return 0;
}
