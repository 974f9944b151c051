// What a selection of the output copies, and which word a double-click takes,
// over lines of ASCII, UTF-8 and Latin-1 text.
#include <gtest/gtest.h>

#include <string>

#include "FaultInjection.h"
#include "output/COutputSelection.h"
#include "output/COutputStore.h"
#include "output/OutputSeams.h"

namespace {

using Point = COutputSelection::Point;

// Line 1 reads as UTF-8 ("é" and an emoji are one character each), line 2 as
// Latin-1 (its "é" is the byte E9), line 3 is empty.
struct Text {
    COutputStore store;
    Text()
    {
        store.AddLine("alpha beta");
        store.AddLine("caf\xc3\xa9 \xf0\x9f\x98\x80 x_1");
        store.AddLine("caf\xe9 (2)");
        store.AddLine("");
        store.AddLine("end");
    }
};

TEST(OutputSelection, CopiesTheSelectedCharactersAsUtf8)
{
    const struct Case {
        const char* name;
        Point anchor, active;
        std::string copied;
    } cases[] = {
        {"within a line", {0, 2}, {0, 8}, "pha be"},
        {"backwards", {0, 8}, {0, 2}, "pha be"},
        {"nothing", {0, 3}, {0, 3}, ""},
        {"UTF-8 characters, not bytes", {1, 3}, {1, 6}, "\xc3\xa9 \xf0\x9f\x98\x80"},
        {"a Latin-1 line in UTF-8", {2, 2}, {2, 5}, "f\xc3\xa9 "},
        {"across lines, one break each", {0, 6}, {2, 4}, "beta\ncaf\xc3\xa9 \xf0\x9f\x98\x80 x_1\ncaf\xc3\xa9"},
        {"a column beyond the end is the end", {0, 40}, {1, 1}, "\nc"},
        {"the empty line and its break", {3, 0}, {4, 0}, "\n"},
        {"to the row after the last line", {4, 1}, {5, 0}, "nd\n"},
        {"everything", {0, 0}, {5, 0}, "alpha beta\ncaf\xc3\xa9 \xf0\x9f\x98\x80 x_1\ncaf\xc3\xa9 (2)\n\nend\n"},
    };
    Text text;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COutputSelection selection;
        selection.Set(c.anchor, c.active);
        EXPECT_EQ(selection.Empty(text.store), c.copied.empty());
        char* copied = nullptr;
        std::size_t length = 0;
        ASSERT_EQ(selection.Text(text.store, 1000, &copied, &length), COutputSelection::CopyResult::Ok);
        EXPECT_EQ(std::string(copied, length), c.copied);
        OutputFree(copied);
    }
}

TEST(OutputSelection, RefusesWhatIsTooLargeAndReportsMemory)
{
    Text text;
    COutputSelection selection;
    selection.Set({0, 0}, {5, 0});  // 41 bytes of UTF-8
    char* copied = nullptr;
    std::size_t length = 0;
    EXPECT_EQ(selection.Text(text.store, 40, &copied, &length), COutputSelection::CopyResult::TooLarge);
    EXPECT_EQ(copied, nullptr);
    EXPECT_EQ(selection.Text(text.store, 41, &copied, &length), COutputSelection::CopyResult::Ok);
    EXPECT_EQ(length, 41u);
    OutputFree(copied);
    AllocationFailure failure(1);
    EXPECT_EQ(selection.Text(text.store, 41, &copied, &length), COutputSelection::CopyResult::NoMemory);
    EXPECT_EQ(copied, nullptr);
}

TEST(OutputSelection, DoubleClickedWords)
{
    const struct Case {
        const char* name;
        int line, column;
        int from, to;
    } cases[] = {
        {"a word from its middle", 0, 8, 6, 10},
        {"a word from its first letter", 0, 0, 0, 5},
        {"the blank between words", 0, 5, 5, 6},
        {"letters beyond ASCII and '_' and digits", 1, 2, 0, 4},
        {"an emoji alone", 1, 5, 5, 6},
        {"x_1", 1, 8, 7, 10},
        {"a Latin-1 word", 2, 1, 0, 4},
        {"a parenthesis alone", 2, 5, 5, 6},
        {"beyond the line's end", 0, 14, 10, 10},
        {"the empty line", 3, 0, 0, 0},
        {"the row after the last line", 5, 0, 0, 0},
    };
    Text text;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int from = -1, to = -1;
        COutputSelection::WordAt(text.store, c.line, c.column, &from, &to);
        EXPECT_EQ(from, c.from);
        EXPECT_EQ(to, c.to);
    }
}

}  // namespace
