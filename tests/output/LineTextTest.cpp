// How a stored output line reads as characters: UTF-8 when the whole line is
// valid UTF-8, else Latin-1; and the scanner that reads a line as it grows.
#include <gtest/gtest.h>

#include <string>

#include "ReferenceOutput.h"
#include "output/COutputLineText.h"
#include "output/CUtf8Scanner.h"

namespace {

struct Case {
    const char* name;
    std::string bytes;
    bool utf8;
    std::u32string characters;
};

const Case kCases[] = {
    {"empty", "", true, U""},
    {"ASCII", "end", true, U"end"},
    {"accents", "caf\xc3\xa9 \xc3\xa9", true, U"café é"},
    {"euro and emoji", "\xe2\x82\xac\xf0\x9f\x98\x80!", true, U"€😀!"},
    {"Latin-1", "caf\xe9", false, U"caf\u00e9"},
    {"UTF-8 broken later in the line", "\xc3\xa9 \xff", false, U"\u00c3\u00a9 \u00ff"},
    {"a character cut at the end", "ab\xe2\x82", false, U"ab\u00e2\u0082"},
    {"overlong", "\xc0\xaf", false, U"\u00c0\u00af"},
    {"surrogate", "\xed\xa0\x80", false, U"\u00ed\u00a0\u0080"},
    {"above U+10FFFF", "\xf4\x90\x80\x80", false, U"\u00f4\u0090\u0080\u0080"},
    {"highest code point", "\xf4\x8f\xbf\xbf", true, U"\U0010FFFF"},
    {"control bytes are characters", "\x1b[0m\f", true, U"\x1b[0m\f"},
};

TEST(OutputLineText, ReadsLinesAsCharacters)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const COutputLineText text(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(text.IsUtf8(), c.utf8);
        EXPECT_EQ(text.IsUtf8(), ReadsAsUtf8(c.bytes)) << "agrees with Qt's decoder";
        ASSERT_EQ(text.Length(), static_cast<int>(c.characters.size()));
        std::u32string all;
        text.Characters(0, text.Length() + 5, all);
        EXPECT_EQ(all, c.characters);
        // Every column starts a character: decoding from it gives the rest.
        for (int column = 0; column <= text.Length(); ++column) {
            std::u32string rest;
            text.Characters(column, 2, rest);
            EXPECT_EQ(rest, c.characters.substr(static_cast<std::size_t>(column), 2)) << "column " << column;
            const std::size_t byte = text.ByteOf(column);
            if (c.utf8)
                EXPECT_EQ(COutputLineText(c.bytes.data(), byte).Length(), column) << "column " << column;
            else
                EXPECT_EQ(byte, static_cast<std::size_t>(column));
        }
    }
}

// Fed in pieces, cut back and fed again, the scanner reads the bytes as the
// whole text reads.
TEST(OutputLineText, ScannerFollowsAGrowingAndShrinkingLine)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string text = c.bytes + "x\xc3\xa9" + c.bytes;
        for (std::size_t split = 0; split <= text.size(); ++split) {
            CUtf8Scanner scanner;
            scanner.Feed(text.data(), split);
            scanner.Feed(text.data() + split, text.size() - split);
            ASSERT_EQ(scanner.Valid(), ReadsAsUtf8(text)) << "split at " << split;
            ASSERT_EQ(scanner.Characters(), CharactersOf(text)) << "split at " << split;
            scanner.Truncate(text.data(), split);
            ASSERT_EQ(scanner.Valid(), ReadsAsUtf8(text.substr(0, split))) << "cut at " << split;
            ASSERT_EQ(scanner.Characters(), CharactersOf(text.substr(0, split))) << "cut at " << split;
        }
    }
}

}  // namespace
