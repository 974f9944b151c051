// Find and Replace All over plain texts: start rules, direction, case folding of
// A-Z only, characters beyond Latin-1, and the one-pass Replace All against the
// replace-and-search-again loop it stands for.
#include <gtest/gtest.h>

#include <QString>
#include <random>

#include "editor/TextSearch.h"

namespace {

// The loop Replace All stands for: search down from `start`, replace the match
// in a copy of the text, go on after the inserted text.
QString LoopReplaceAll(QString text, const QString& what, const QString& with, qsizetype start, bool matchCase,
                       int* count)
{
    *count = 0;
    qsizetype p = start;
    for (qsizetype found; (found = FindInText(text, what, p, true, matchCase)) >= 0; ++*count) {
        text.replace(found, what.size(), with);
        p = found + with.size();
    }
    return text;
}

QString Applied(QString text, const ReplaceAllResult& result)
{
    return result.count > 0 ? text.replace(result.first, result.end - result.first, result.replacement) : text;
}

}  // namespace

TEST(TextSearch, FindByStartDirectionAndCase)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    const struct {
        const char* what;
        QString text;
        QString find;
        qsizetype start;
        bool down;
        bool matchCase;
        qsizetype expected;
    } cases[] = {
        {"down from the first match's end", "abc abc", "abc", 3, true, true, 4},
        {"up from 0 finds the match at 0", "abc abc", "abc", 0, false, true, 0},
        {"up from beyond the end", "abc abc", "abc", 40, false, true, 4},
        {"a match must lie wholly inside", "xab", "abc", 0, true, true, -1},
        {"only A-Z fold", QString::fromUtf8("CAFÉ café"), QString::fromUtf8("café"), 0, true, false, 5},
        {"É and é differ even without case", QString::fromUtf8("CAFÉ"), QString::fromUtf8("café"), 0, true, false, -1},
        {"a find text across the line break", "ab\r\ncd", "b\r\nc", 0, true, true, 1},
        {"characters after an emoji", emoji + " x " + emoji + "y", emoji + "y", 0, true, true, 5},
        {"an empty find text finds nothing", "abc", "", 0, true, true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindInText(c.text, c.find, c.start, c.down, c.matchCase), c.expected) << c.what;
}

// Random texts over a small alphabet, so that matches overlap and abut.
TEST(TextSearch, ReplaceAllIsTheLoopInOnePass)
{
    std::mt19937 random(7);
    const QString letters = "aAb\r\n";
    const auto word = [&](int maxLength) {
        QString text;
        for (int i = std::uniform_int_distribution<int>(1, maxLength)(random); i > 0; --i)
            text += letters[std::uniform_int_distribution<int>(0, static_cast<int>(letters.size()) - 1)(random)];
        return text;
    };
    for (int round = 0; round < 500; ++round) {
        const QString text = word(40);
        const QString find = word(3);
        const QString with = word(4);
        const qsizetype start = std::uniform_int_distribution<qsizetype>(0, text.size())(random);
        const bool matchCase = round % 2 == 0;
        int loopCount = 0;
        const QString expected = LoopReplaceAll(text, find, with, start, matchCase, &loopCount);
        const ReplaceAllResult result = ReplaceAllInText(text, find, with, start, matchCase);
        ASSERT_EQ(Applied(text, result), expected) << text.toStdString() << " / " << find.toStdString();
        ASSERT_EQ(result.count, loopCount);
    }
}
