// The Environment dialog's rules without the dialog.
#include <gtest/gtest.h>

#include "run/CEnvironmentRules.h"

TEST(EnvironmentRules, UpdateLimitIsDecimalDigitsFromZeroToTwenty)
{
    const struct {
        const char* text;
        bool valid;
        int value;
    } cases[] = {
        {"20", true, 20}, {"0", true, 0},   {"", true, 0},     {"020", true, 20}, {"7", true, 7},
        {"21", false, 0}, {"-1", false, 0}, {"1a", false, 0},  {" 1", false, 0},  {"+1", false, 0},
        {"999", false, 0},
    };
    for (const auto& c : cases) {
        int value = -5;
        EXPECT_EQ(CEnvironmentRules::ParseUpdateLimit(c.text, &value), c.valid) << '"' << c.text << '"';
        if (c.valid)
            EXPECT_EQ(value, c.value) << c.text;
        else
            EXPECT_EQ(value, -5) << c.text;
    }
}

TEST(EnvironmentRules, AppendRemembersItsStateWhileSendToFileIsOff)
{
    using Box = CEnvironmentRules::AppendBox;
    // Opened with Send To File on and Append on: another box keeps Append on.
    CEnvironmentRules opened;
    Box box = opened.OutputRule(true, {true, true});
    EXPECT_TRUE(box.enabled && box.checked);
    // Send To File off: Append off and disabled; on again: Append comes back.
    box = opened.OutputRule(false, box);
    EXPECT_FALSE(box.enabled || box.checked);
    box = opened.OutputRule(false, box);  // e.g. Preprocess only clicked meanwhile
    EXPECT_FALSE(box.enabled || box.checked);
    box = opened.OutputRule(true, box);
    EXPECT_TRUE(box.enabled && box.checked);

    // Opened with Send To File off: turning it on leaves Append off.
    CEnvironmentRules closed;
    box = closed.OutputRule(true, {false, false});
    EXPECT_TRUE(box.enabled);
    EXPECT_FALSE(box.checked);
    // Append clicked off while on: remembered as off.
    CEnvironmentRules clicked;
    clicked.m_savedAppend = TRUE;
    box = clicked.OutputRule(true, {true, false});
    EXPECT_FALSE(box.checked);
    EXPECT_EQ(clicked.m_savedAppend, FALSE);
}

TEST(EnvironmentRules, ListSearchIgnoresCaseAndKeepsOrder)
{
    const std::vector<std::string> list = {"abc.dll", "libm.so", "Zeta.dll"};
    EXPECT_EQ(CEnvironmentRules::FindEntry(list, "abc.dll"), 0);
    EXPECT_EQ(CEnvironmentRules::FindEntry(list, "ABC.DLL"), 0);
    EXPECT_EQ(CEnvironmentRules::FindEntry(list, "zeta.DLL"), 2);
    EXPECT_EQ(CEnvironmentRules::FindEntry(list, "ab"), -1);
    EXPECT_EQ(CEnvironmentRules::SortedPosition(list, "ab"), 0u);
    EXPECT_EQ(CEnvironmentRules::SortedPosition(list, "B.dll"), 1u);
    EXPECT_EQ(CEnvironmentRules::SortedPosition(list, "m.so"), 2u);
    EXPECT_EQ(CEnvironmentRules::SortedPosition(list, "zz"), 3u);
}

TEST(EnvironmentRules, ButtonsFollowTheListAndTheNameField)
{
    const auto empty = CEnvironmentRules::ListRule(0, false, false);
    EXPECT_FALSE(empty.removeAll || empty.remove || empty.add);
    const auto full = CEnvironmentRules::ListRule(2, true, true);
    EXPECT_TRUE(full.removeAll && full.remove && full.add);
    const auto unselected = CEnvironmentRules::ListRule(2, false, false);
    EXPECT_TRUE(unselected.removeAll);
    EXPECT_FALSE(unselected.remove || unselected.add);
    EXPECT_EQ(CEnvironmentRules::DefaultButtonAfterTyping(true), 301);
    EXPECT_EQ(CEnvironmentRules::DefaultButtonAfterTyping(false), 1);
}
