#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

TextCodec::LineEnd FirstLineEnd(const char* bytes, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (bytes[i] == '\n')
            return TextCodec::LineEnd::Lf;
        if (bytes[i] == '\r')
            return i + 1 < length && bytes[i + 1] == '\n' ? TextCodec::LineEnd::CrLf : TextCodec::LineEnd::Cr;
    }
    return TextCodec::LineEnd::CrLf;
}

bool FitsLatin1(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

bool HasByteOrderMark(const char* bytes, qsizetype length)
{
    return length >= 3 && std::memcmp(bytes, kByteOrderMark, 3) == 0;
}

// The text of `bytes` read as UTF-8 after an optional byte-order mark; false when they are not
// UTF-8. A second mark right after the first is text, so the decoder must not eat it.
// Stateless: a sequence cut off by the end of the file is an error, not bytes kept back for
// more input (and then lost from the text).
bool DecodeUtf8(const char* bytes, qsizetype length, QString* text)
{
    const qsizetype skip = HasByteOrderMark(bytes, length) ? 3 : 0;
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    *text = utf8(QByteArrayView(bytes + skip, length - skip));
    return !utf8.hasError();
}

// Latin-1 bytes that a later load would take for UTF-8, and so show as another text.
bool ReadsAsOtherUtf8(const QByteArray& latin1)
{
    const bool ascii = std::all_of(latin1.begin(), latin1.end(), [](char c) { return (c & 0x80) == 0; });
    QString ignored;
    return !ascii && DecodeUtf8(latin1.constData(), latin1.size(), &ignored);
}

}  // namespace

void TextCodec::Reset()
{
    *this = TextCodec();
}

QString TextCodec::Decode(const char* bytes, qsizetype length)
{
    Reset();
    if (const void* zero = std::memchr(bytes, 0, static_cast<size_t>(length)))
        length = static_cast<const char*>(zero) - bytes;
    m_loadedBytes = QByteArray(bytes, length);
    m_lineEnd = FirstLineEnd(bytes, length);

    QString text;
    if (!DecodeUtf8(bytes, length, &text)) {
        m_encoding = Encoding::Latin1;
        text = QString::fromLatin1(bytes, length);
    } else {
        m_encoding = Encoding::Utf8;
        m_byteOrderMark = HasByteOrderMark(bytes, length);
    }
    text = NormaliseBreaks(text);
    m_loadedText = text;
    m_hasLoaded = true;
    return text;
}

void TextCodec::SetLoadedText(const QString& shown)
{
    m_loadedText = shown;
}

QString TextCodec::NormaliseBreaks(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QLatin1String("\r\n");
        } else if (c == u'\n' || c == QChar::ParagraphSeparator) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

TextCodec::Encoding TextCodec::EncodingFor(const QString& text) const
{
    if (m_encoding != Encoding::Latin1 || !FitsLatin1(text) || ReadsAsOtherUtf8(text.toLatin1()))
        return Encoding::Utf8;
    return Encoding::Latin1;
}

QByteArray TextCodec::Encode(const QString& text) const
{
    if (m_hasLoaded && text == m_loadedText)
        return m_loadedBytes;
    QString body = text;
    if (m_lineEnd != LineEnd::CrLf)
        body.replace(QLatin1String("\r\n"), m_lineEnd == LineEnd::Lf ? QLatin1String("\n") : QLatin1String("\r"));
    if (EncodingFor(text) == Encoding::Latin1)
        return body.toLatin1();
    QByteArray bytes = body.toUtf8();
    if (m_byteOrderMark && m_encoding == Encoding::Utf8)
        bytes.prepend(kByteOrderMark, 3);
    return bytes;
}

void TextCodec::Saved(const QByteArray& bytes, const QString& text)
{
    if (EncodingFor(text) != m_encoding) {
        m_encoding = Encoding::Utf8;
        m_byteOrderMark = false;
    }
    m_loadedBytes = bytes;
    m_loadedText = text;
    m_hasLoaded = true;
}
