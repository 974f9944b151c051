#include "Parser.h"
#include "Lexer.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace tavo {

namespace {

struct SyntaxError {
    Error error;
};

class Parser {
public:
    Parser(const Preprocessed &model, std::size_t maxParts) : lexer_(model), maxParts_(maxParts) {}

    Program Run()
    {
        Program program;
        while (Peek().kind != Tok::End)
            program.statements.push_back(Statement());
        program.slotNames = std::move(names_);
        return program;
    }

private:
    // ---- tokens ----
    // A token is read from the lexer only when the parser looks at it, so the first fault in
    // the text, lexical or syntactic, is the one reported.
    const Token &Peek()
    {
        if (!have_) {
            if (!lexer_.Next(cur_))
                throw SyntaxError{lexer_.Failure()};
            have_ = true;
        }
        return cur_;
    }
    Token Next()
    {
        Peek();
        if (cur_.kind == Tok::End)
            return cur_;
        have_ = false;
        return std::move(cur_);
    }
    bool Accept(Tok kind)
    {
        if (Peek().kind != kind)
            return false;
        Next();
        return true;
    }
    [[noreturn]] static void Fail(Loc at, const std::string &message)
    {
        throw SyntaxError{{at, "syntax error: " + message}};
    }
    [[noreturn]] void Fail(const Token &at, const std::string &message) { Fail(at.loc, message); }
    // Every statement, operator, operand and print item counts against the model's size.
    void CountPart(Loc at)
    {
        if (++parts_ > maxParts_)
            Fail(at, "the model is too large: it has more than " + std::to_string(maxParts_) +
                         " statements, operators and operands");
    }
    static std::string Describe(const Token &t)
    {
        switch (t.kind) {
        case Tok::End: return "the end of the model";
        case Tok::String: return "a string";
        default: return "'" + t.text + "'";
        }
    }
    Token Expect(Tok kind, const char *what)
    {
        if (Peek().kind != kind)
            Fail(Peek(), std::string("expected ") + what + ", found " + Describe(Peek()));
        return Next();
    }

    // Guards every recursive descent.
    struct Nest {
        explicit Nest(Parser &p) : p_(p)
        {
            if (++p_.nesting_ > kMaxNesting)
                p_.Fail(p_.Peek(), "nesting deeper than " + std::to_string(kMaxNesting) + " levels");
        }
        ~Nest() { --p_.nesting_; }
        Parser &p_;
    };

    uint32_t Slot(const std::string &name)
    {
        const auto [it, added] = slots_.try_emplace(name, static_cast<uint32_t>(names_.size()));
        if (added)
            names_.push_back(name);
        return it->second;
    }

    // ---- statements ----
    std::unique_ptr<Stmt> Make(SKind kind, Loc loc)
    {
        CountPart(loc);
        auto s = std::make_unique<Stmt>();
        s->kind = kind;
        s->loc = loc;
        return s;
    }

    std::unique_ptr<Stmt> Statement()
    {
        Nest nest(*this);
        const Token t = Peek();
        switch (t.kind) {
        case Tok::LBrace: {
            Next();
            auto s = Make(SKind::Block, t.loc);
            while (Peek().kind != Tok::RBrace) {
                if (Peek().kind == Tok::End)
                    Fail(Peek(), "expected '}' to close the block opened on line " + std::to_string(t.loc.line));
                s->body.push_back(Statement());
            }
            Next();
            return s;
        }
        case Tok::Semi:
            Next();
            return Make(SKind::Empty, t.loc);
        case Tok::KwPrint: {
            Next();
            auto s = Make(SKind::Print, t.loc);
            do {
                CountPart(Peek().loc);
                PrintItem item;
                if (Peek().kind == Tok::String) {
                    item.isText = true;
                    item.text = Next().text;
                } else {
                    item.expr = Expression();
                }
                s->items.push_back(std::move(item));
            } while (Accept(Tok::Comma));
            EndOfStatement();
            return s;
        }
        case Tok::KwArray: {
            Next();
            auto s = Make(SKind::ArrayDecl, t.loc);
            s->slot = Slot(Expect(Tok::Ident, "the name of the array").text);
            Expect(Tok::LBracket, "'[' and the size of the array");
            s->value = Expression();
            Expect(Tok::RBracket, "']' after the size of the array");
            EndOfStatement();
            return s;
        }
        case Tok::KwIf: {
            Next();
            auto s = Make(SKind::If, t.loc);
            s->value = Condition("if");
            s->first = Statement();
            if (Accept(Tok::KwElse))
                s->second = Statement();
            return s;
        }
        case Tok::KwWhile: {
            Next();
            auto s = Make(SKind::While, t.loc);
            s->value = Condition("while");
            s->first = LoopBody();
            return s;
        }
        case Tok::KwFor: {
            Next();
            auto s = Make(SKind::For, t.loc);
            Expect(Tok::LParen, "'(' after 'for'");
            if (Peek().kind != Tok::Semi)
                s->init = Simple();
            Expect(Tok::Semi, "';' after the first part of 'for'");
            if (Peek().kind != Tok::Semi)
                s->value = Expression();
            Expect(Tok::Semi, "';' after the condition of 'for'");
            if (Peek().kind != Tok::RParen)
                s->step = Simple();
            Expect(Tok::RParen, "')' to close 'for ('");
            s->first = LoopBody();
            return s;
        }
        case Tok::KwBreak:
        case Tok::KwContinue: {
            Next();
            if (loops_ == 0)
                Fail(t, "'" + t.text + "' outside a loop");
            EndOfStatement();
            return Make(t.kind == Tok::KwBreak ? SKind::Break : SKind::Continue, t.loc);
        }
        case Tok::KwSleep: {
            Next();
            auto s = Make(SKind::Sleep, t.loc);
            s->value = Expression();
            EndOfStatement();
            return s;
        }
        case Tok::KwDlls:
        case Tok::KwExit: {
            Next();
            EndOfStatement();
            return Make(t.kind == Tok::KwDlls ? SKind::Dlls : SKind::Exit, t.loc);
        }
        case Tok::Ident: {
            auto s = Simple();
            EndOfStatement();
            return s;
        }
        case Tok::KwElse:
            Fail(t, "'else' without 'if'");
        default:
            Fail(t, "expected a statement, found " + Describe(t));
        }
    }

    void EndOfStatement() { Expect(Tok::Semi, "';' at the end of the statement"); }

    std::unique_ptr<Expr> Condition(const char *keyword)
    {
        Expect(Tok::LParen, (std::string("'(' after '") + keyword + "'").c_str());
        auto e = Expression();
        Expect(Tok::RParen, "')' after the condition");
        return e;
    }

    std::unique_ptr<Stmt> LoopBody()
    {
        ++loops_;
        auto body = Statement();
        --loops_;
        return body;
    }

    // name = e;  name[i] op= e;  name++;  name[i]--;  (without the ';')
    std::unique_ptr<Stmt> Simple()
    {
        const Token name = Expect(Tok::Ident, "a variable name");
        auto s = Make(SKind::Assign, name.loc);
        s->slot = Slot(name.text);
        if (Accept(Tok::LBracket)) {
            s->index = Expression();
            Expect(Tok::RBracket, "']' after the index");
        }
        const Token op = Next();
        switch (op.kind) {
        case Tok::Assign: s->value = Expression(); return s;
        case Tok::PlusAssign: s->op = EOp::Add; break;
        case Tok::MinusAssign: s->op = EOp::Sub; break;
        case Tok::StarAssign: s->op = EOp::Mul; break;
        case Tok::SlashAssign: s->op = EOp::Div; break;
        case Tok::PercentAssign: s->op = EOp::Mod; break;
        case Tok::PlusPlus:
        case Tok::MinusMinus:
            s->compound = true;
            s->op = op.kind == Tok::PlusPlus ? EOp::Add : EOp::Sub;
            s->value = Leaf(EOp::Number, op.loc);
            s->value->number = 1;
            return s;
        default:
            Fail(op, "expected '=', '+=', '-=', '*=', '/=', '%=', '++' or '--' after '" + name.text + "', found " +
                         Describe(op));
        }
        s->compound = true;
        s->value = Expression();
        return s;
    }

    // ---- expressions, lowest precedence first ----
    std::unique_ptr<Expr> Leaf(EOp op, Loc loc)
    {
        CountPart(loc);
        auto e = std::make_unique<Expr>();
        e->op = op;
        e->loc = loc;
        return e;
    }

    std::unique_ptr<Expr> Node(EOp op, Loc at, std::unique_ptr<Expr> a, std::unique_ptr<Expr> b)
    {
        auto e = Leaf(op, at);
        e->depth = 1 + std::max(a->depth, b ? b->depth : 0);
        if (e->depth > kMaxExpressionDepth)
            Fail(at, "expression too long or nested too deeply (more than " + std::to_string(kMaxExpressionDepth) +
                         " operator levels)");
        e->a = std::move(a);
        e->b = std::move(b);
        return e;
    }

    std::unique_ptr<Expr> Expression() { return Or(); }

    template <typename Operand>
    std::unique_ptr<Expr> Binary(Operand operand, std::initializer_list<std::pair<Tok, EOp>> ops)
    {
        auto left = (this->*operand)();
        for (;;) {
            const Tok kind = Peek().kind;
            const auto it = std::find_if(ops.begin(), ops.end(), [&](const auto &p) { return p.first == kind; });
            if (it == ops.end())
                return left;
            const Loc at = Next().loc;
            auto right = (this->*operand)();
            left = Node(it->second, at, std::move(left), std::move(right));
        }
    }

    std::unique_ptr<Expr> Or() { return Binary(&Parser::And, {{Tok::OrOr, EOp::Or}}); }
    std::unique_ptr<Expr> And() { return Binary(&Parser::Equality, {{Tok::AndAnd, EOp::And}}); }
    std::unique_ptr<Expr> Equality()
    {
        return Binary(&Parser::Relation, {{Tok::EqEq, EOp::Eq}, {Tok::NotEq, EOp::Ne}});
    }
    std::unique_ptr<Expr> Relation()
    {
        return Binary(&Parser::Sum, {{Tok::Lt, EOp::Lt}, {Tok::Le, EOp::Le}, {Tok::Gt, EOp::Gt}, {Tok::Ge, EOp::Ge}});
    }
    std::unique_ptr<Expr> Sum() { return Binary(&Parser::Product, {{Tok::Plus, EOp::Add}, {Tok::Minus, EOp::Sub}}); }
    std::unique_ptr<Expr> Product()
    {
        return Binary(&Parser::Unary, {{Tok::Star, EOp::Mul}, {Tok::Slash, EOp::Div}, {Tok::Percent, EOp::Mod}});
    }

    std::unique_ptr<Expr> Unary()
    {
        Nest nest(*this);
        const Tok kind = Peek().kind;
        if (kind == Tok::Minus || kind == Tok::Not) {
            const Loc at = Next().loc;
            return Node(kind == Tok::Minus ? EOp::Neg : EOp::Not, at, Unary(), nullptr);
        }
        if (kind == Tok::Plus) {
            Next();
            return Unary();
        }
        return Primary();
    }

    std::unique_ptr<Expr> Primary()
    {
        const Token t = Next();
        switch (t.kind) {
        case Tok::Number: {
            auto e = Leaf(EOp::Number, t.loc);
            e->number = t.number;
            return e;
        }
        case Tok::Ident: {
            if (Accept(Tok::LBracket)) {
                auto index = Expression();
                Expect(Tok::RBracket, "']' after the index");
                auto e = Node(EOp::Element, t.loc, std::move(index), nullptr);
                e->slot = Slot(t.text);
                return e;
            }
            auto e = Leaf(EOp::Var, t.loc);
            e->slot = Slot(t.text);
            return e;
        }
        case Tok::KwSize: {
            Expect(Tok::LParen, "'(' after 'size'");
            auto e = Leaf(EOp::Size, t.loc);
            e->slot = Slot(Expect(Tok::Ident, "the name of an array").text);
            Expect(Tok::RParen, "')' after the name of the array");
            return e;
        }
        case Tok::LParen: {
            auto e = Expression();
            Expect(Tok::RParen, "')'");
            return e;
        }
        case Tok::String:
            Fail(t, "a string can only be printed, not computed with");
        default:
            Fail(t, "expected a number, a variable or '(', found " + Describe(t));
        }
    }

    Lexer lexer_;
    Token cur_;         // the token Peek looked at
    bool have_ = false; // cur_ holds a token not yet taken by Next
    std::size_t maxParts_;
    std::size_t parts_ = 0;
    int nesting_ = 0;
    int loops_ = 0;
    std::unordered_map<std::string, uint32_t> slots_;
    std::vector<std::string> names_;
};

} // namespace

Parsed Parse(const Preprocessed &model, std::size_t maxParts)
{
    Parsed out;
    try {
        out.program = Parser(model, maxParts).Run();
    } catch (const SyntaxError &e) {
        out.error = e.error;
    }
    return out;
}

} // namespace tavo
