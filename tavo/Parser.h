// Recursive-descent parser from tokens to a Program.
#pragma once

#include "Ast.h"
#include "Lexer.h"

#include <optional>

namespace tavo {

// Nesting of statements, parentheses and unary operators beyond this is a syntax error, and so
// is an expression tree taller than kMaxExpressionDepth (long operator chains): the parser, the
// interpreter and the tree's destructor recurse, and the stack must not run out.
inline constexpr int kMaxNesting = 256;
inline constexpr int kMaxExpressionDepth = 1000;

struct Parsed {
    Program program;
    std::optional<Error> error; // the first syntax error; the program is then unusable
};

Parsed Parse(const std::vector<Token> &tokens);

} // namespace tavo
