// Which output lines are error lines: the kept answer follows the store as it
// grows, as its open line grows, and when it is emptied and refilled.
#include <gtest/gtest.h>

#include "app/CErrorLines.h"
#include "output/COutputStore.h"

TEST(ErrorLines, TheAnswerFollowsTheStore)
{
    COutputStore store;
    CErrorLines lines;
    lines.Sync(store);
    EXPECT_FALSE(lines.Any());

    store.AddLine("plain output");
    store.AddLine("/m/demo.nuv");
    lines.Sync(store);
    EXPECT_FALSE(lines.Any());
    store.AppendToLine(1, "(3): run-time error");
    lines.Sync(store);
    EXPECT_TRUE(lines.Any()) << "the open line grew into an error line";

    // A new run with as many lines as the last: read afresh, not taken as known.
    store.RemoveAll();
    store.AddLine("one");
    store.AddLine("two");
    lines.Sync(store);
    EXPECT_FALSE(lines.Any());
    store.AddLine("a.nuv(1)");
    lines.Sync(store);
    EXPECT_TRUE(lines.Any());
}

TEST(ErrorLines, NextAndPrevious)
{
    COutputStore store;
    for (const char* line : {"x", "a.nuv(1): e", "y", "", "b.nuv( 2)", "z"})
        store.AddLine(line);
    EXPECT_EQ(CErrorLines::Next(store, -1), 1);
    EXPECT_EQ(CErrorLines::Next(store, 1), 4);
    EXPECT_EQ(CErrorLines::Next(store, 4), -1);
    EXPECT_EQ(CErrorLines::Previous(store, 6), 4);
    EXPECT_EQ(CErrorLines::Previous(store, 4), 1);
    EXPECT_EQ(CErrorLines::Previous(store, 1), -1);
    EXPECT_EQ(CErrorLines::Previous(store, 100), 4);
}
