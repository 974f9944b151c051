// The one lexer of model text, as the colours see it: every character's kind,
// whether the text is lexed whole (as brace matching does) or line by line
// with the states carried between lines (as the editor colours it).
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "editor/KeywordList.h"
#include "editor/NuvLexer.h"

namespace {

char Letter(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Comment: return 'c';
    case TokenKind::String: return 's';
    case TokenKind::Number: return 'n';
    case TokenKind::Keyword: return 'k';
    case TokenKind::StrayCommentEnd: return '!';
    default: return '.';
    }
}

void Mark(QStringView piece, qsizetype offset, NuvLexer& lexer, std::string& mask)
{
    LexToken token;
    qsizetype expected = 0;
    while (lexer.Next(&token)) {
        EXPECT_EQ(token.start, expected) << "tokens leave no gaps";
        expected = token.end;
        for (qsizetype i = token.start; i < token.end; ++i)
            mask[offset + i] = Letter(token.kind);
    }
    EXPECT_EQ(expected, piece.size());
}

// The kinds of the whole text, one letter a character; line breaks (CR LF) as '.'.
std::string WholeMask(const QString& text, const KeywordList& keywords, LexState* end)
{
    std::string mask(text.size(), '?');
    NuvLexer lexer(text, LexState::Code, true, true, &keywords);
    Mark(text, 0, lexer, mask);
    *end = lexer.State();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            mask[i] = '.';
    }
    return mask;
}

std::string LineByLineMask(const QString& text, const KeywordList& keywords, LexState* end)
{
    std::string mask(text.size(), '.');
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    LexState state = LexState::Code;
    qsizetype offset = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        NuvLexer lexer(lines[i], state, i == 0, i + 1 == lines.size(), &keywords);
        Mark(lines[i], offset, lexer, mask);
        state = lexer.State();
        offset += lines[i].size() + 2;
    }
    *end = state;
    return mask;
}

}  // namespace

TEST(NuvLexer, KindsOfEveryCharacterWholeAndLineByLine)
{
    const KeywordList keywords = KeywordList::FromText("print\r\nif\n  while  \nnot a word\n9lives\n");
    const struct {
        const char* what;
        QString text;
        std::string kinds;
        LexState end;
    } cases[] = {
        {"keywords and words", "if (x) print(y); ifx print2 while", "kk.....kkkkk................kkkkk",
         LexState::Code},
        {"numbers, hex, fraction, exponent", "x1 = 12 + 0x1F - 3.5e-2 * 7e", ".....nn...nnnn...nnnnnn.....",
         LexState::Code},
        {"line comment to the line break", "a // b \"c\r\nd", "..ccccccc...", LexState::Code},
        {"block comment across lines", "a /* b\r\nc */ 1", "..cccc..cccc.n", LexState::Code},
        {"comment end right after its start", "/*/ x */1", "ccccccccn", LexState::Code},
        {"comment to the end", "/* a\r\nb", "cccc..c", LexState::Comment},
        {"string across lines", "x \"a\r\nb\" 2", "..ss..ss.n", LexState::Code},
        {"string to the end", "x \"a\r\nb", "..ss..s", LexState::String},
        {"quote first or last opens no string", "\"if\"", ".kk.", LexState::Code},
        {"quote after a backslash or between single quotes", "\\\"a '\"' 1", "........n", LexState::Code},
        {"escaped quote inside a string", "x \"a\\\"b\" 1", "..ssssss.n", LexState::Code},
        {"stray comment end", "a */ b", "..!!..", LexState::Code},
        {"zero ends the text", QString("/* a") + QChar(0) + "*/ if", "cccc......", LexState::Ended},
    };
    for (const auto& c : cases) {
        LexState wholeEnd;
        LexState linesEnd;
        EXPECT_EQ(WholeMask(c.text, keywords, &wholeEnd), c.kinds) << c.what;
        EXPECT_EQ(LineByLineMask(c.text, keywords, &linesEnd), c.kinds) << c.what << " (line by line)";
        EXPECT_EQ(wholeEnd, c.end) << c.what;
        EXPECT_EQ(linesEnd, c.end) << c.what << " (line by line)";
    }
}

TEST(NuvLexer, KeywordFileOfAnyContentGivesWordsOrNothing)
{
    const KeywordList binary = KeywordList::FromText(QByteArray("\x00\xff\xfe print\n\x01if", 12));
    EXPECT_FALSE(binary.Contains(u"print"));
    EXPECT_FALSE(binary.Contains(u"if"));
    QByteArray huge(KeywordList::kMaxBytes, 'x');
    huge.prepend("size\n");
    huge.append("\nexit\n");
    const KeywordList cut = KeywordList::FromText(huge.first(KeywordList::kMaxBytes));
    EXPECT_TRUE(cut.Contains(u"size"));
    EXPECT_FALSE(cut.Contains(u"exit"));
    EXPECT_TRUE(KeywordList::FromText({}).IsEmpty());
    EXPECT_TRUE(KeywordList::FromFile(QStringLiteral("/nonexistent/nuv_keywords.txt")).IsEmpty());
    EXPECT_TRUE(KeywordList::FromFile(QStringLiteral("/tmp")).IsEmpty());
    EXPECT_TRUE(KeywordList::Installed().Contains(u"while")) << "the build tree's keyword file is found";
}
