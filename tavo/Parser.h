// Recursive-descent parser from the preprocessed model to a Program.
#pragma once

#include "Ast.h"
#include "Preprocessor.h"
#include "RunBudget.h"

#include <optional>

namespace tavo {

// Nesting of statements, parentheses and unary operators beyond this is a syntax error, and so
// is an expression tree taller than kMaxExpressionDepth (long operator chains): the parser, the
// interpreter and the tree's destructor recurse, and the stack must not run out.
inline constexpr int kMaxNesting = 256;
inline constexpr int kMaxExpressionDepth = 1000;

struct Parsed {
    Program program;
    std::optional<Error> error; // the first lexical or syntax error; the program is then unusable
};

// A model with more than maxParts statements, operators, operands and print items is refused.
Parsed Parse(const Preprocessed &model, std::size_t maxParts = kMaxProgramParts);

} // namespace tavo
