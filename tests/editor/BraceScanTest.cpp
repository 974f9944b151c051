// The brace scan over plain texts: which braces pair in each mode, and which
// issues it reports on which line. The commands themselves: EditorToolsTest.
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <vector>

#include "editor/BraceScan.h"

namespace {

using Pairs = std::vector<std::pair<int, int>>;
using Issues = std::vector<std::pair<BraceIssue, int>>;

struct Scan {
    Pairs pairs;
    Issues issues;
};

Scan ScanOf(const QString& text, QChar open, QChar close, bool skipComments)
{
    const qsizetype room = CountOpenBraces(text, open);
    auto pairs = std::make_unique<BracePair[]>(room);
    auto stack = std::make_unique<int[]>(room);
    Scan scan;
    const qsizetype count = ScanBraces(text, open, close, skipComments, pairs.get(), stack.get(),
                                       [&scan](BraceIssue issue, int line) { scan.issues.emplace_back(issue, line); });
    for (qsizetype i = 0; i < count; ++i)
        scan.pairs.emplace_back(pairs[i].open, pairs[i].close);
    return scan;
}

constexpr int kNone = BracePair::kNone;
constexpr auto kComment = BraceIssue::CommentToEnd;
constexpr auto kString = BraceIssue::StringToEnd;
constexpr auto kStray = BraceIssue::MisplacedCommentEnd;

}  // namespace

TEST(BraceScan, PairsInBothModes)
{
    const struct {
        const char* what;
        QString text;
        Pairs plain;
        Pairs skipping;
        Issues issues;  // of the skipping scan; the plain scan reports nothing
    } cases[] = {
        {"brace in a block comment", "( /* ) */ )", {{0, 5}}, {{0, 10}}, {}},
        {"brace in a string", "(a \")\" b)", {{0, 4}}, {{0, 8}}, {}},
        {"quote between single quotes", "('\"')", {{0, 4}}, {{0, 4}}, {}},
        {"quote after a backslash ends no string", "(\"a\\\")\")", {{0, 5}}, {{0, 7}}, {}},
        {"quote first or last opens no string", "\"()\"", {{1, 2}}, {{1, 2}}, {}},
        {"line comment", "(// )\r\n)", {{0, 4}}, {{0, 7}}, {}},
        {"comment end right after its start", "(/*/ ) */)", {{0, 5}}, {{0, 9}}, {}},
        {"comment closing the text", "( ) /* ) */", {{0, 2}}, {{0, 2}}, {}},
        {"comment to the end", "( /* open", {{0, kNone}}, {{0, kNone}}, {{kComment, 1}}},
        {"string to the end, line 2", "(\r\nx \"a)", {{0, 7}}, {{0, kNone}}, {{kString, 2}}},
        {"issues in text order, counted in lines", "*/\r\n(\r\n*/ /* ( \r\n)", {{4, kNone}, {13, 17}},
         {{4, kNone}}, {{kStray, 1}, {kStray, 3}, {kComment, 3}}},
        {"the text ends at a zero character", QString("(a") + QChar(0) + ")", {{0, kNone}}, {{0, kNone}}, {}},
    };
    for (const auto& c : cases) {
        const Scan plain = ScanOf(c.text, u'(', u')', false);
        EXPECT_EQ(plain.pairs, c.plain) << c.what;
        EXPECT_TRUE(plain.issues.empty()) << c.what;
        const Scan skipping = ScanOf(c.text, u'(', u')', true);
        EXPECT_EQ(skipping.pairs, c.skipping) << c.what;
        EXPECT_EQ(skipping.issues, c.issues) << c.what;
    }
}
