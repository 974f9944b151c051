#include "print/PrintCharacters.h"

#include <QChar>
#include <QList>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

#include "platform/IPrintDevice.h"

namespace {

bool IsPrintableAscii(char32_t c)
{
    return c >= 0x20 && c < 0x7F;
}

}  // namespace

std::size_t DecodeLine(const char* bytes, std::u32string* characters)
{
    characters->clear();
    const char* feed = std::strchr(bytes, '\n');
    const std::size_t size = feed ? static_cast<std::size_t>(feed - bytes) + 1 : std::strlen(bytes);
    const QByteArrayView line(bytes, static_cast<qsizetype>(size));
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(line);
    if (utf8.hasError())
        text = QString::fromLatin1(line);
    characters->reserve(static_cast<std::size_t>(text.size()));
    for (char32_t c : text.toUcs4())
        characters->push_back(c);
    return size;
}

QString DecodeText(const char* bytes)
{
    QString text;
    std::u32string line;
    while (const std::size_t size = DecodeLine(bytes, &line)) {
        text += QString::fromUcs4(line.data(), static_cast<qsizetype>(line.size()));
        bytes += size;
    }
    return text;
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

QString ShortenedTitle(const QString& title, int columns)
{
    std::u32string characters;
    for (char32_t c : title.toUcs4())
        characters.push_back(c);
    const auto count = static_cast<qsizetype>(characters.size());
    if (count <= columns)
        return title;
    const auto text = [&characters](qsizetype from, qsizetype length) {
        return QString::fromUcs4(characters.data() + from, length);
    };
    constexpr qsizetype kEllipsis = 3;
    // Room for one character of the start, the ellipsis and one of the end.
    if (columns < kEllipsis + 2)
        return text(0, std::max(columns, 0));
    const std::size_t slash = characters.rfind(U'/');
    const qsizetype name = slash == std::u32string::npos ? count : count - static_cast<qsizetype>(slash);
    const qsizetype tail = std::min<qsizetype>(name, columns - kEllipsis - 1);
    return text(0, columns - kEllipsis - tail) + QStringLiteral("...") + text(count - tail, tail);
}
