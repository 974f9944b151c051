// Turns preprocessed lines into tokens.
#pragma once

#include "Preprocessor.h"
#include "Source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

struct Lexed {
    std::vector<Token> tokens; // always ends with Tok::End
    std::optional<Error> error;
};

// Stops at the first lexical error.
Lexed Lex(const std::vector<SourceLine> &lines);

} // namespace tavo
