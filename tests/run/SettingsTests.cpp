// The interpreter settings and the run clock.
#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "run/CEnvironmentSettings.h"

TEST(EnvironmentSettings, StartsWithTheDefaults)
{
    const CEnvironmentSettings settings;
    EXPECT_EQ(settings.m_bPreprocessOnly, FALSE);
    EXPECT_EQ(settings.m_bRangeCheck, TRUE);
    EXPECT_EQ(settings.m_nUpdateLimit, 20);
    EXPECT_EQ(settings.m_bTimer, FALSE);
    EXPECT_STREQ(settings.m_szElapsed, "        ");
}

TEST(EnvironmentSettings, ClockCarriesAndWraps)
{
    const struct {
        int h, m, s;
        const char* after;
    } cases[] = {
        {0, 0, 0, "00:00:01"},  {0, 0, 9, "00:00:10"},  {0, 0, 59, "00:01:00"},
        {0, 59, 59, "01:00:00"}, {9, 59, 59, "10:00:00"}, {23, 59, 59, "00:00:00"},
    };
    for (const auto& c : cases) {
        CEnvironmentSettings settings;
        settings.ResetElapsedTime(TRUE);
        settings.m_nHours = c.h;
        settings.m_nMinutes = c.m;
        settings.m_nSeconds = c.s;
        settings.ElapsedTimeTick();
        EXPECT_STREQ(settings.m_szElapsed, c.after);
    }
}

TEST(EnvironmentSettings, ResetShowsZeroesOrBlanks)
{
    CEnvironmentSettings settings;
    settings.ResetElapsedTime(TRUE);
    settings.ElapsedTimeTick();
    EXPECT_STREQ(settings.m_szElapsed, "00:00:01");
    settings.ResetElapsedTime(TRUE);
    EXPECT_STREQ(settings.m_szElapsed, "00:00:00");
    EXPECT_EQ(settings.m_nSeconds, 0);
    settings.ResetElapsedTime(FALSE);
    EXPECT_STREQ(settings.m_szElapsed, "        ");
}

TEST(EnvironmentSettings, TimerAndRangeCheckSurviveInTheProfile)
{
    Profile::RemoveKey("Options", "Timer");
    Profile::RemoveKey("Options", "RangeCheck");
    CEnvironmentSettings read;
    read.m_bTimer = TRUE;
    read.m_bRangeCheck = FALSE;
    read.ReadProfile();  // absent keys: the defaults
    EXPECT_EQ(read.m_bTimer, FALSE);
    EXPECT_EQ(read.m_bRangeCheck, TRUE);

    CEnvironmentSettings written;
    written.m_bTimer = TRUE;
    written.m_bRangeCheck = FALSE;
    written.m_nUpdateLimit = 3;  // not kept
    written.WriteProfile();
    CEnvironmentSettings again;
    again.ReadProfile();
    EXPECT_EQ(again.m_bTimer, TRUE);
    EXPECT_EQ(again.m_bRangeCheck, FALSE);
    EXPECT_EQ(again.m_nUpdateLimit, 20);
}
