// The parsed program: a tree the interpreter walks. Variables are resolved to slots when parsing,
// so running never looks a name up.
#pragma once

#include "Source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavo {

enum class EOp : uint8_t {
    Number, Var, Element, Size, // leaves (Element has the index in a)
    Neg, Not,                   // unary, operand in a
    Add, Sub, Mul, Div, Mod, Lt, Le, Gt, Ge, Eq, Ne, And, Or, // binary, a and b
};

struct Expr {
    EOp op;
    Loc loc;
    int64_t number = 0; // Number
    uint32_t slot = 0;  // Var, Element, Size
    int depth = 1;      // height of this subtree; bounded by the parser
    std::unique_ptr<Expr> a, b;
};

enum class SKind : uint8_t { Print, Assign, ArrayDecl, If, While, For, Block, Break, Continue, Sleep, Dlls, Exit, Empty };

// Compound assignments keep their arithmetic operator; plain '=' is EOp::Number (unused).
struct PrintItem {
    bool isText = false;
    std::string text;
    std::unique_ptr<Expr> expr;
};

struct Stmt {
    SKind kind;
    Loc loc;
    uint32_t slot = 0;            // Assign, ArrayDecl
    bool compound = false;        // Assign: x op= value
    EOp op = EOp::Add;            // Assign when compound
    std::unique_ptr<Expr> index;  // Assign to an element
    std::unique_ptr<Expr> value;  // Assign, ArrayDecl (size), Sleep (ms), If/While/For (condition; null in for = true)
    std::unique_ptr<Stmt> first;  // If: then; While/For: body
    std::unique_ptr<Stmt> second; // If: else
    std::unique_ptr<Stmt> init;   // For
    std::unique_ptr<Stmt> step;   // For
    std::vector<std::unique_ptr<Stmt>> body; // Block
    std::vector<PrintItem> items; // Print
};

struct Program {
    std::vector<std::unique_ptr<Stmt>> statements;
    std::vector<std::string> slotNames; // variable and array names by slot
};

} // namespace tavo
