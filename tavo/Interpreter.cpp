#include "Interpreter.h"

#include <algorithm>
#include <charconv>
#include <thread>
#include <utility>

namespace tavo {

namespace {

struct RuntimeError {
    Error error;
};
struct StopRequested {};
struct ExitRequested {};

} // namespace

// ---- OutputBatch ----

void OutputBatch::Append(std::string_view text)
{
    if (buffer_.empty())
        firstPending_ = std::chrono::steady_clock::now();
    buffer_.append(text);
}

void OutputBatch::AppendNumber(int64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    Append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void OutputBatch::EndStatement()
{
    if (++statements_ >= limit_)
        Flush();
}

void OutputBatch::Flush()
{
    statements_ = 0;
    if (buffer_.empty())
        return;
    Send(buffer_.c_str());
    lineOpen_ = buffer_.back() != '\n';
    buffer_.clear();
}

void OutputBatch::FlushIfStale()
{
    if (!buffer_.empty() && std::chrono::steady_clock::now() - firstPending_ >= kMaxOutputDelay)
        Flush();
}

void OutputBatch::SendErrorLine(const std::string &line)
{
    Flush();
    Send(((lineOpen_ ? "\n" : "") + line).c_str());
    lineOpen_ = false;
}

void OutputBatch::Send(const char *text)
{
    if (output_(text) == 0)
        throw OutputFailed{};
}

// ---- Interpreter ----

Interpreter::Interpreter(const Program &program, const SourceFiles &files, const Services &services,
                         RunSettings settings)
    : program_(program), files_(files), services_(services), settings_(settings),
      out_(services.output, settings.updateLimit), slots_(program.slotNames.size())
{
}

uint32_t Interpreter::Run()
{
    uint32_t outcome = TAVO_OUTCOME_FINISHED;
    try {
        try {
            for (const auto &s : program_.statements)
                Exec(*s); // break and continue cannot appear outside a loop
        } catch (const ExitRequested &) {
        } catch (const StopRequested &) {
            outcome = TAVO_OUTCOME_STOPPED;
        } catch (const RuntimeError &e) {
            out_.SendErrorLine(FormatErrorLine(files_, e.error));
            return TAVO_OUTCOME_ERRORS;
        }
        out_.Flush();
    } catch (const OutputBatch::OutputFailed &) {
        return TAVO_OUTCOME_FATAL;
    }
    return outcome;
}

void Interpreter::RunError(Loc loc, std::string message) const
{
    throw RuntimeError{{loc, "run-time error: " + std::move(message)}};
}

void Interpreter::Poll()
{
    work_ += static_cast<uint64_t>(ticks_);
    ticks_ = 0;
    out_.FlushIfStale();
    const uint64_t budget = settings_.budget.work;
    if ((budget != 0 && work_ >= budget) || services_.isBreak() != 0) {
        out_.Flush();
        throw StopRequested{};
    }
}

Interpreter::Flow Interpreter::Exec(const Stmt &s)
{
    Tick();
    switch (s.kind) {
    case SKind::Print: {
        // A print statement whose expression fails prints nothing at all.
        const std::size_t mark = out_.Size();
        try {
            for (const PrintItem &item : s.items) {
                if (item.isText) {
                    out_.Append(item.text);
                    ticks_ += static_cast<int64_t>(item.text.size() / kBytesPerUnit);
                } else {
                    out_.AppendNumber(Eval(*item.expr));
                }
            }
        } catch (const RuntimeError &) {
            out_.Truncate(mark);
            throw;
        }
        out_.EndStatement();
        return Flow::Next;
    }
    case SKind::Assign:
        Assign(s);
        return Flow::Next;
    case SKind::ArrayDecl: {
        Slot &slot = slots_[s.slot];
        const std::string &name = program_.slotNames[s.slot];
        if (slot.kind == Slot::Integer)
            RunError(s.loc, "'" + name + "' is already a variable, it cannot become an array");
        const int64_t size = Eval(*s.value);
        if (size < 1 || size > kMaxArraySize)
            RunError(s.loc, "the size of array '" + name + "' is " + std::to_string(size) + "; it must be 1 to " +
                                std::to_string(kMaxArraySize));
        const int64_t others = arrayElements_ - static_cast<int64_t>(slot.array.size());
        if (others + size > settings_.budget.arrayElements)
            RunError(s.loc, "array '" + name + "' does not fit: all arrays together may hold at most " +
                                std::to_string(settings_.budget.arrayElements) + " numbers");
        // Clearing a large array is long work: the run may stop before it.
        ticks_ += size / kBytesPerUnit;
        if (ticks_ >= kPollInterval)
            Poll();
        slot.array.assign(static_cast<std::size_t>(size), 0);
        arrayElements_ = others + size;
        slot.kind = Slot::Array;
        return Flow::Next;
    }
    case SKind::If:
        if (Eval(*s.value) != 0)
            return Exec(*s.first);
        if (s.second)
            return Exec(*s.second);
        return Flow::Next;
    case SKind::While:
    case SKind::For:
        return ExecLoop(s);
    case SKind::Block:
        for (const auto &child : s.body) {
            const Flow flow = Exec(*child);
            if (flow != Flow::Next)
                return flow;
        }
        return Flow::Next;
    case SKind::Break:
        return Flow::Break;
    case SKind::Continue:
        return Flow::Continue;
    case SKind::Sleep:
        Sleep(s);
        return Flow::Next;
    case SKind::Dlls:
        ListDlls();
        return Flow::Next;
    case SKind::Exit:
        throw ExitRequested{};
    case SKind::Empty:
        return Flow::Next;
    }
    return Flow::Next;
}

Interpreter::Flow Interpreter::ExecLoop(const Stmt &s)
{
    if (s.init)
        Exec(*s.init);
    for (;;) {
        if (s.value && Eval(*s.value) == 0)
            return Flow::Next;
        if (Exec(*s.first) == Flow::Break)
            return Flow::Next;
        if (s.step)
            Exec(*s.step);
    }
}

void Interpreter::Assign(const Stmt &s)
{
    int64_t *target;
    if (s.index) {
        const int64_t index = Eval(*s.index);
        target = &Element(s.slot, index, s.loc);
    } else {
        Slot &slot = slots_[s.slot];
        if (slot.kind == Slot::Array)
            RunError(s.loc, "'" + program_.slotNames[s.slot] + "' is an array; assign to an element such as " +
                                program_.slotNames[s.slot] + "[0]");
        if (s.compound && slot.kind == Slot::Unset)
            RunError(s.loc, "undefined variable '" + program_.slotNames[s.slot] + "'");
        target = &slot.value;
    }
    const int64_t value = Eval(*s.value);
    // Evaluating the value cannot resize arrays, so target is still valid.
    if (!s.index)
        slots_[s.slot].kind = Slot::Integer;
    *target = s.compound ? Arithmetic(s.op, *target, value, s.loc) : value;
}

int64_t &Interpreter::Element(uint32_t slotIndex, int64_t index, Loc loc)
{
    Slot &slot = slots_[slotIndex];
    const std::string &name = program_.slotNames[slotIndex];
    if (slot.kind != Slot::Array)
        RunError(loc, slot.kind == Slot::Unset ? "undefined array '" + name + "' (declare it with: array " + name + "[size];)"
                                               : "'" + name + "' is a variable, not an array");
    const auto size = static_cast<int64_t>(slot.array.size());
    if (index < 0 || index >= size) {
        if (settings_.rangeCheck)
            RunError(loc, "index " + std::to_string(index) + " is out of range for array '" + name + "' of size " +
                              std::to_string(size) + " (0 to " + std::to_string(size - 1) + ")");
        index %= size;
        if (index < 0)
            index += size;
    }
    return slot.array[static_cast<std::size_t>(index)];
}

int64_t Interpreter::Arithmetic(EOp op, int64_t a, int64_t b, Loc loc) const
{
    // Wrapping two's complement arithmetic, computed unsigned so overflow is defined.
    const auto ua = static_cast<uint64_t>(a);
    const auto ub = static_cast<uint64_t>(b);
    switch (op) {
    case EOp::Add: return static_cast<int64_t>(ua + ub);
    case EOp::Sub: return static_cast<int64_t>(ua - ub);
    case EOp::Mul: return static_cast<int64_t>(ua * ub);
    case EOp::Div:
    case EOp::Mod:
        if (b == 0)
            RunError(loc, op == EOp::Div ? "division by zero" : "remainder of a division by zero");
        if (b == -1) // INT64_MIN / -1 overflows in hardware; its wrapped result is -a
            return op == EOp::Div ? static_cast<int64_t>(0 - ua) : 0;
        return op == EOp::Div ? a / b : a % b;
    default: return 0;
    }
}

int64_t Interpreter::Eval(const Expr &e)
{
    ++ticks_;
    switch (e.op) {
    case EOp::Number:
        return e.number;
    case EOp::Var: {
        const Slot &slot = slots_[e.slot];
        if (slot.kind != Slot::Integer)
            RunError(e.loc, slot.kind == Slot::Unset
                                ? "undefined variable '" + program_.slotNames[e.slot] + "'"
                                : "'" + program_.slotNames[e.slot] + "' is an array; use an element such as " +
                                      program_.slotNames[e.slot] + "[0]");
        return slot.value;
    }
    case EOp::Element: {
        const int64_t index = Eval(*e.a);
        return Element(e.slot, index, e.loc);
    }
    case EOp::Size: {
        const Slot &slot = slots_[e.slot];
        if (slot.kind != Slot::Array)
            RunError(e.loc, "size() needs an array; '" + program_.slotNames[e.slot] + "' is not one");
        return static_cast<int64_t>(slot.array.size());
    }
    case EOp::Neg:
        return static_cast<int64_t>(0 - static_cast<uint64_t>(Eval(*e.a)));
    case EOp::Not:
        return Eval(*e.a) == 0 ? 1 : 0;
    case EOp::And:
        return Eval(*e.a) != 0 && Eval(*e.b) != 0 ? 1 : 0;
    case EOp::Or:
        return Eval(*e.a) != 0 || Eval(*e.b) != 0 ? 1 : 0;
    default:
        break;
    }
    const int64_t a = Eval(*e.a);
    const int64_t b = Eval(*e.b);
    switch (e.op) {
    case EOp::Lt: return a < b;
    case EOp::Le: return a <= b;
    case EOp::Gt: return a > b;
    case EOp::Ge: return a >= b;
    case EOp::Eq: return a == b;
    case EOp::Ne: return a != b;
    default: return Arithmetic(e.op, a, b, e.loc);
    }
}

void Interpreter::Sleep(const Stmt &s)
{
    const int64_t ms = Eval(*s.value);
    out_.Flush();
    if (!settings_.budget.sleeps) {
        Poll();
        return;
    }
    using Clock = std::chrono::steady_clock;
    // Saturate: a huge request simply sleeps until the user stops the run.
    const auto maxMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - Clock::now()).count() / 2;
    const auto end = Clock::now() + std::chrono::milliseconds(ms < 0 ? 0 : ms > maxMs ? maxMs : ms);
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        std::this_thread::sleep_for(std::min<Clock::duration>(end - now, std::chrono::milliseconds(kSleepSliceMs)));
        Poll();
    }
}

void Interpreter::ListDlls()
{
    const int count = services_.dllCount && services_.dllName ? services_.dllCount() : 0;
    for (int i = 0; i < count; ++i) {
        if (const char *name = services_.dllName(i)) {
            out_.Append(name);
            out_.Append("\n");
        }
    }
    out_.EndStatement();
}

} // namespace tavo
