#include "platform/FontConversion.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/TextLimits.h"

LOGFONTA LogFontFromFont(const QFont& font)
{
    LOGFONTA lf{};
    const QFontInfo info(font);
    lf.lfHeight = -std::max(1, font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize());
    lf.lfWeight = std::clamp(static_cast<int>(font.weight()), 100, 900);
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfPitchAndFamily = info.fixedPitch() ? FIXED_PITCH : VARIABLE_PITCH;
    CopyUtf8Bounded(lf.lfFaceName, sizeof lf.lfFaceName, font.family().toUtf8());
    return lf;
}

QFont FontFromLogFont(const LOGFONTA& lf)
{
    QFont font;
    const std::size_t faceLength = strnlen(lf.lfFaceName, sizeof lf.lfFaceName);
    if (faceLength > 0)
        font.setFamily(QString::fromUtf8(lf.lfFaceName, static_cast<qsizetype>(faceLength)));
    // The magnitude is the height either way; -INT_MIN has no int, and no font
    // is drawn taller than Qt's own limit.
    if (lf.lfHeight != 0)
        font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(std::abs(static_cast<std::int64_t>(lf.lfHeight)), 1, 0xFFFF)));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(lf.lfWeight), 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if ((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    return font;
}

QFont SystemFont()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

QFont SystemFixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}
