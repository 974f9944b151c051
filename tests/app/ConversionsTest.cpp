// The byte-exact desktop structures and their conversions.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <cstddef>
#include <cstring>

#include "platform/FontConversion.h"
#include "platform/Placement.h"
#include "platform/TextLimits.h"
#include "platform/Win32Types.h"

TEST(Structures, LayoutMatchesTheStoredRecords)
{
    EXPECT_EQ(offsetof(WINDOWPLACEMENT, showCmd), 8u);
    EXPECT_EQ(offsetof(WINDOWPLACEMENT, ptMinPosition), 12u);
    EXPECT_EQ(offsetof(WINDOWPLACEMENT, ptMaxPosition), 20u);
    EXPECT_EQ(offsetof(WINDOWPLACEMENT, rcNormalPosition), 28u);
    EXPECT_EQ(offsetof(LOGFONTA, lfWeight), 16u);
    EXPECT_EQ(offsetof(LOGFONTA, lfItalic), 20u);
    EXPECT_EQ(offsetof(LOGFONTA, lfPitchAndFamily), 27u);
    EXPECT_EQ(offsetof(LOGFONTA, lfFaceName), 28u);
}

TEST(Placement, RoundTripsEveryShowCommand)
{
    struct Case {
        Qt::WindowStates state;
        std::uint32_t showCmd;
    } cases[] = {{Qt::WindowNoState, SW_SHOWNORMAL},
                 {Qt::WindowMinimized, SW_SHOWMINIMIZED},
                 {Qt::WindowMaximized, SW_SHOWMAXIMIZED}};
    for (const Case& c : cases) {
        const WindowPlace place{QRect(10, 20, 300, 200), c.state};
        const WINDOWPLACEMENT wp = PlacementFromPlace(place);
        EXPECT_EQ(wp.length, 44u);
        EXPECT_EQ(wp.showCmd, c.showCmd);
        EXPECT_EQ(wp.rcNormalPosition.left, 10);
        EXPECT_EQ(wp.rcNormalPosition.top, 20);
        EXPECT_EQ(wp.rcNormalPosition.right, 310);
        EXPECT_EQ(wp.rcNormalPosition.bottom, 220);
        const WindowPlace back = PlaceFromPlacement(wp);
        EXPECT_EQ(back.normal, place.normal);
        EXPECT_EQ(back.state, c.state);
    }
}

TEST(FontConversion, KeepsWhatTheRecordDescribes)
{
    LOGFONTA lf{};
    lf.lfHeight = -17;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfPitchAndFamily = FIXED_PITCH;
    std::strcpy(lf.lfFaceName, "DejaVu Sans Mono");
    const QFont font = FontFromLogFont(lf);
    EXPECT_EQ(font.pixelSize(), 17);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.family(), "DejaVu Sans Mono");
    const LOGFONTA back = LogFontFromFont(font);
    EXPECT_EQ(back.lfHeight, -17);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_STREQ(back.lfFaceName, "DejaVu Sans Mono");
}

TEST(FontConversion, LongFaceNamesAreCutAtACharacterBoundary)
{
    QFont font;
    font.setPixelSize(12);
    font.setFamily(QString(30, QChar('a')) + QString::fromUtf8("\xC3\xA9\xC3\xA9"));
    const LOGFONTA lf = LogFontFromFont(font);
    EXPECT_EQ(std::strlen(lf.lfFaceName), 30u) << "30 ASCII bytes and no half character";
    EXPECT_EQ(Utf8BoundedLength("ab\xC3\xA9", 4, 4), 2u);
    EXPECT_EQ(Utf8BoundedLength("abc\xE2\x82\xAC", 6, 6), 3u);
    EXPECT_EQ(Utf8BoundedLength("abc", 3, 4), 3u);
}
