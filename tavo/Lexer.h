// Turns the preprocessed text into tokens, one at a time as the parser asks for them, so that a
// large model never has all its tokens in memory and a fault on its first line is reported
// without reading the rest.
#pragma once

#include "Preprocessor.h"
#include "Source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

enum class Tok : uint8_t {
    End, Ident, Number, String,
    // keywords
    KwPrint, KwIf, KwElse, KwWhile, KwFor, KwBreak, KwContinue, KwArray, KwSleep, KwDlls, KwExit, KwSize,
    // punctuation
    LParen, RParen, LBrace, RBrace, LBracket, RBracket, Semi, Comma,
    Assign, PlusAssign, MinusAssign, StarAssign, SlashAssign, PercentAssign, PlusPlus, MinusMinus,
    Plus, Minus, Star, Slash, Percent, Lt, Le, Gt, Ge, EqEq, NotEq, AndAnd, OrOr, Not,
};

struct Token {
    Tok kind = Tok::End;
    Loc loc;
    std::string text; // identifier name, decoded string literal, or the spelling for messages
    int64_t number = 0;
};

class Lexer {
public:
    // `model` must outlive the lexer.
    explicit Lexer(const Preprocessed &model) : model_(model) {}

    // Fills `token` with the next token: Tok::End, placed on the last line, once the text is
    // used up (and again on every later call). False after a lexical error, which Failure()
    // then holds; the lexer must not be asked again.
    bool Next(Token &token);
    const Error &Failure() const { return *error_; }

private:
    bool NextLine();
    // Moves past blanks, comments and line ends to the next token; false at the end of the text.
    bool SkipToToken();
    bool Fail(std::string message);
    void Word(Token &token);
    bool Number(Token &token);
    bool String(Token &token);
    bool Escape(char &c);
    bool Punctuation(Token &token);

    const Preprocessed &model_;
    std::size_t next_ = 0; // offset of the next line in the text
    std::size_t run_ = 0;  // index of the next LineRun to start
    std::string_view s_;   // the current line
    std::size_t i_ = 0;    // position in it
    Loc loc_{0, 1};        // place of the current line
    bool inComment_ = false;
    std::optional<Error> error_;
};

} // namespace tavo
