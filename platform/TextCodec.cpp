#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

#include "platform/LineBreaks.h"

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

// The text a load shows for `bytes` (no zero among them), with CR LF breaks,
// and the encoding it was read in.
QString DecodedText(const char* bytes, qsizetype length, TextCodec::Encoding* encoding)
{
    QString text;
    if (DecodeUtf8(bytes, length, &text)) {
        *encoding = TextCodec::Encoding::Utf8;
    } else {
        *encoding = TextCodec::Encoding::Latin1;
        text = QString::fromLatin1(bytes, length);
    }
    return TextCodec::NormaliseBreaks(text);
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
    QString text = DecodedText(bytes, length, &m_encoding);
    m_byteOrderMark = m_encoding == Encoding::Utf8 && HasByteOrderMark(bytes, length);
    KeepLoadedText(text, text.size(), false);
    m_hasLoaded = true;
    return text;
}

void TextCodec::SetLoadedText(const QString& shown)
{
    if (Fresh(shown) == m_loadedBytes)
        ForgetLoaded();
    else
        KeepLoadedText(shown, shown.size(), false);
}

void TextCodec::ShownAsDecoded()
{
    if (Fresh(m_loadedText) == m_loadedBytes)
        ForgetLoaded();
    else
        KeepLoadedText(QString(), m_loadedLength, true);
}

void TextCodec::KeepLoadedText(const QString& text, qsizetype length, bool decoded)
{
    m_loadedText = text;
    m_loadedLength = length;
    m_loadedTextIsDecoded = decoded;
}

// The text encodes as its bytes anyway: nothing need be kept for it.
void TextCodec::ForgetLoaded()
{
    m_hasLoaded = false;
    m_loadedBytes = QByteArray();
    KeepLoadedText(QString(), 0, false);
}

bool TextCodec::IsLoadedText(const QString& text) const
{
    if (!m_hasLoaded || text.size() != m_loadedLength)
        return false;
    if (!m_loadedTextIsDecoded)
        return text == m_loadedText;
    Encoding ignored = Encoding::Utf8;
    return text == DecodedText(m_loadedBytes.constData(), m_loadedBytes.size(), &ignored);
}

QString TextCodec::NormaliseBreaks(const QString& text)
{
    // Most files have one kind of break throughout.
    if (HasOnlyCrLf(text))
        return text;
    if (!text.contains(u'\r') && !text.contains(QChar::ParagraphSeparator))
        return ExpandToCrLf(text, u'\n');
    // The runs between breaks, most of the text, are copied whole.
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    qsizetype run = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = data[i];
        if (c != u'\r' && c != u'\n' && c != QChar::ParagraphSeparator)
            continue;
        out.append(data + run, i - run);
        if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n')
            ++i;
        out += QLatin1String("\r\n");
        run = i + 1;
    }
    out.append(data + run, size - run);
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
    return IsLoadedText(text) ? m_loadedBytes : Fresh(text);
}

QByteArray TextCodec::Fresh(const QString& text) const
{
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

// Encode gave either the loaded bytes for the loaded text, which stay what
// they are, or the fresh encoding of the text, which it gives again by itself.
void TextCodec::Saved(const QByteArray& /*bytes*/, const QString& text)
{
    const bool loaded = IsLoadedText(text);
    if (EncodingFor(text) != m_encoding) {
        m_encoding = Encoding::Utf8;
        m_byteOrderMark = false;
    }
    if (!loaded)
        ForgetLoaded();
}
