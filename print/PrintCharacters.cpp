#include "print/PrintCharacters.h"

#include <QChar>
#include <QList>
#include <QStringDecoder>
#include <cstring>

#include "platform/IPrintDevice.h"

namespace {

bool IsPrintableAscii(char32_t c)
{
    return c >= 0x20 && c < 0x7F;
}

// Whether `bytes` are valid UTF-8 throughout; the decoded text in *text.
bool DecodeUtf8(QByteArrayView bytes, QString* text)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    *text = utf8(bytes);
    return !utf8.hasError();
}

void AppendLine(QByteArrayView line, std::u32string* out)
{
    QString text;
    if (!DecodeUtf8(line, &text))
        text = QString::fromLatin1(line);
    for (char32_t c : text.toUcs4())
        out->push_back(c);
}

}  // namespace

std::u32string DecodeForPrint(const char* bytes)
{
    const QByteArrayView all(bytes, static_cast<qsizetype>(std::strlen(bytes)));
    std::u32string out;
    QString whole;
    // Most texts are valid UTF-8 as a whole; only the others go line by line.
    if (DecodeUtf8(all, &whole)) {
        out.reserve(static_cast<std::size_t>(whole.size()));
        for (char32_t c : whole.toUcs4())
            out.push_back(c);
        return out;
    }
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        end = end < 0 ? all.size() : end + 1;
        AppendLine(all.sliced(start, end - start), &out);
        start = end;
    }
    return out;
}

char32_t ShownCharacter(char32_t character, const IPrintDevice& device)
{
    if (character < 0x80)
        return IsPrintableAscii(character) ? character : 0;
    if (!QChar::isPrint(character))
        return 0;
    if (device.CanShow(character))
        return character;
    if (character <= 0xFF) {
        const char32_t cleared = character & 0x7F;
        return IsPrintableAscii(cleared) ? cleared : U'?';
    }
    return U'?';
}

QString ShownText(const QString& text, const IPrintDevice& device)
{
    std::u32string shown;
    for (char32_t c : text.toUcs4()) {
        if (const char32_t printed = ShownCharacter(c, device))
            shown.push_back(printed);
    }
    return QString::fromUcs4(shown.data(), static_cast<qsizetype>(shown.size()));
}
