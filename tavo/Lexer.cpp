#include "Lexer.h"

#include <cctype>
#include <cstdint>
#include <string_view>
#include <utility>

namespace tavo {

namespace {

struct Keyword {
    std::string_view word;
    Tok kind;
};
constexpr Keyword kKeywords[] = {
    {"print", Tok::KwPrint}, {"if", Tok::KwIf},       {"else", Tok::KwElse},         {"while", Tok::KwWhile},
    {"for", Tok::KwFor},     {"break", Tok::KwBreak}, {"continue", Tok::KwContinue}, {"array", Tok::KwArray},
    {"sleep", Tok::KwSleep}, {"dlls", Tok::KwDlls},   {"exit", Tok::KwExit},         {"size", Tok::KwSize},
};

// Longest spelling first, so "<=" wins over "<".
struct Punct {
    std::string_view spelling;
    Tok kind;
};
constexpr Punct kPuncts[] = {
    {"+=", Tok::PlusAssign}, {"-=", Tok::MinusAssign}, {"*=", Tok::StarAssign}, {"/=", Tok::SlashAssign},
    {"%=", Tok::PercentAssign}, {"++", Tok::PlusPlus}, {"--", Tok::MinusMinus}, {"<=", Tok::Le},
    {">=", Tok::Ge}, {"==", Tok::EqEq}, {"!=", Tok::NotEq}, {"&&", Tok::AndAnd}, {"||", Tok::OrOr},
    {"(", Tok::LParen}, {")", Tok::RParen}, {"{", Tok::LBrace}, {"}", Tok::RBrace}, {"[", Tok::LBracket},
    {"]", Tok::RBracket}, {";", Tok::Semi}, {",", Tok::Comma}, {"=", Tok::Assign}, {"+", Tok::Plus},
    {"-", Tok::Minus}, {"*", Tok::Star}, {"/", Tok::Slash}, {"%", Tok::Percent}, {"<", Tok::Lt},
    {">", Tok::Gt}, {"!", Tok::Not},
};

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

bool Lexer::NextLine()
{
    const std::string &text = model_.text;
    if (next_ >= text.size())
        return false;
    if (run_ < model_.runs.size() && model_.runs[run_].offset == next_)
        loc_ = model_.runs[run_++].first;
    else
        ++loc_.line;
    const std::size_t end = text.find('\n', next_); // every line ends with one
    s_ = std::string_view(text.data() + next_, end - next_);
    i_ = 0;
    next_ = end + 1;
    return true;
}

bool Lexer::SkipToToken()
{
    for (;;) {
        if (i_ >= s_.size()) {
            if (!NextLine())
                return false;
        } else if (inComment_) {
            const auto close = s_.find("*/", i_);
            i_ = close == std::string_view::npos ? s_.size() : close + 2;
            inComment_ = close == std::string_view::npos;
        } else if (const char c = s_[i_]; c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\r') {
            ++i_;
        } else if (s_.substr(i_, 2) == "//") {
            i_ = s_.size();
        } else if (s_.substr(i_, 2) == "/*") {
            inComment_ = true;
            i_ += 2;
        } else {
            return true;
        }
    }
}

bool Lexer::Next(Token &token)
{
    token.number = 0;
    if (!SkipToToken()) {
        token.kind = Tok::End;
        token.loc = loc_;
        token.text = "end of file";
        return true;
    }
    token.loc = loc_;
    const char c = s_[i_];
    if (IsIdentStart(c)) {
        Word(token);
        return true;
    }
    if (std::isdigit(static_cast<unsigned char>(c)))
        return Number(token);
    if (c == '"')
        return String(token);
    if (Punctuation(token))
        return true;
    return Fail(std::isprint(static_cast<unsigned char>(c))
                    ? "syntax error: unexpected character '" + std::string(1, c) + "'"
                    : "syntax error: unexpected character (byte " + std::to_string(static_cast<unsigned char>(c)) +
                          ")");
}

bool Lexer::Fail(std::string message)
{
    error_ = Error{loc_, std::move(message)};
    return false;
}

void Lexer::Word(Token &token)
{
    const std::size_t start = i_;
    while (i_ < s_.size() && IsIdentChar(s_[i_]))
        ++i_;
    const std::string_view word = s_.substr(start, i_ - start);
    token.kind = Tok::Ident;
    for (const Keyword &k : kKeywords)
        if (k.word == word)
            token.kind = k.kind;
    token.text.assign(word);
}

bool Lexer::Number(Token &token)
{
    const std::size_t start = i_;
    int base = 10;
    if (s_[i_] == '0' && i_ + 1 < s_.size() && (s_[i_ + 1] == 'x' || s_[i_ + 1] == 'X')) {
        base = 16;
        i_ += 2;
    }
    const std::size_t digitsStart = i_;
    uint64_t value = 0;
    bool tooLarge = false;
    while (i_ < s_.size() && IsIdentChar(s_[i_])) {
        const int d = DigitValue(s_[i_]);
        if (d >= base)
            return Fail("syntax error: malformed number '" + std::string(s_.substr(start, i_ + 1 - start)) + "'");
        if (value > (UINT64_MAX - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base))
            tooLarge = true;
        else
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        ++i_;
    }
    const std::string spelling(s_.substr(start, i_ - start));
    if (i_ == digitsStart)
        return Fail("syntax error: malformed number '" + spelling + "'");
    if (tooLarge || value > static_cast<uint64_t>(INT64_MAX))
        return Fail("syntax error: the number " + spelling + " is larger than 9223372036854775807");
    token.kind = Tok::Number;
    token.text = spelling;
    token.number = static_cast<int64_t>(value);
    return true;
}

bool Lexer::String(Token &token)
{
    std::string text;
    ++i_; // opening quote
    while (i_ < s_.size() && s_[i_] != '"') {
        char c = s_[i_++];
        if (c == '\\') {
            if (i_ >= s_.size())
                break;
            if (!Escape(c))
                return false;
        }
        text += c;
    }
    if (i_ >= s_.size())
        return Fail("syntax error: string not closed on its line (missing '\"')");
    ++i_; // closing quote
    token.kind = Tok::String;
    token.text = std::move(text);
    return true;
}

bool Lexer::Escape(char &c)
{
    const char e = s_[i_++];
    switch (e) {
    case 'a': c = '\a'; return true;
    case 'b': c = '\b'; return true;
    case 'f': c = '\f'; return true;
    case 'n': c = '\n'; return true;
    case 'r': c = '\r'; return true;
    case 't': c = '\t'; return true;
    case 'v': c = '\v'; return true;
    case '\\': case '"': case '\'': case '?': c = e; return true;
    default: break;
    }
    unsigned value = 0;
    if (e >= '0' && e <= '7') {
        value = static_cast<unsigned>(e - '0');
        for (int n = 1; n < 3 && i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '7'; ++n)
            value = value * 8 + static_cast<unsigned>(s_[i_++] - '0');
    } else if (e == 'x') {
        int n = 0;
        for (; n < 2 && i_ < s_.size() && DigitValue(s_[i_]) < 16; ++n)
            value = value * 16 + static_cast<unsigned>(DigitValue(s_[i_++]));
        if (n == 0)
            return Fail("syntax error: \\x needs a hexadecimal digit");
    } else {
        return Fail("syntax error: unknown escape sequence '\\" + std::string(1, e) + "'");
    }
    if (value == 0)
        return Fail("syntax error: a string cannot hold the character 0");
    if (value > 255)
        return Fail("syntax error: the escape value " + std::to_string(value) + " is larger than 255");
    c = static_cast<char>(static_cast<unsigned char>(value));
    return true;
}

bool Lexer::Punctuation(Token &token)
{
    for (const Punct &p : kPuncts)
        if (s_.substr(i_, p.spelling.size()) == p.spelling) {
            i_ += p.spelling.size();
            token.kind = p.kind;
            token.text.assign(p.spelling);
            return true;
        }
    return false;
}

} // namespace tavo
