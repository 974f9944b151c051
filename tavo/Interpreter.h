// Runs a parsed program against the environment's services.
#pragma once

#include "Ast.h"
#include "RunBudget.h"
#include "Source.h"
#include "tavo_abi.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The environment's services, looked up once per run. output and isBreak are always present;
// the two DLL-list services may be missing (the list then counts as empty).
struct Services {
    NuvOutputResult output = nullptr;
    NuvIsBreak isBreak = nullptr;
    NuvGetNumberOfDLLs dllCount = nullptr;
    NuvGetDLLName dllName = nullptr;
};

struct RunSettings {
    int updateLimit = 20;   // print statements per OutputResult call (0 counts as 1)
    bool rangeCheck = true; // out-of-range index: error (true) or wrap around (false)
    RunBudget budget;
};

// How often the running program asks IsBreak: every this many units of work, and after every
// slice of a sleep. A unit is an executed statement, a loop turn, an operator or operand
// evaluated, or 64 array elements cleared or bytes of text printed, so that neither a huge
// expression nor a huge array makes Terminate wait. The poll comes between statements.
inline constexpr int kPollInterval = 1024;
inline constexpr int kBytesPerUnit = 64;
inline constexpr int kSleepSliceMs = 10;
// Collected output older than this goes out at the next poll even if the batch is not full.
inline constexpr std::chrono::milliseconds kMaxOutputDelay{50};
inline constexpr int64_t kMaxArraySize = 16 * 1024 * 1024;

// Collects printed text and hands it to OutputResult in batches.
class OutputBatch {
public:
    OutputBatch(NuvOutputResult output, int updateLimit) : output_(output), limit_(updateLimit < 1 ? 1 : updateLimit) {}

    void Append(std::string_view text);
    void AppendNumber(int64_t value);
    // Drops text appended after Size() returned `size` (a print statement that failed).
    std::size_t Size() const { return buffer_.size(); }
    void Truncate(std::size_t size) { buffer_.resize(size); }
    // Ends one print statement: hands the batch over when it holds updateLimit statements.
    void EndStatement();
    // Hands over whatever is collected. Throws OutputFailed when the environment refuses it.
    void Flush();
    // Flushes when the oldest collected text waited longer than kMaxOutputDelay.
    void FlushIfStale();
    // Sends an error line, on a line of its own, after everything printed so far.
    void SendErrorLine(const std::string &line);

    struct OutputFailed {};

private:
    void Send(const char *text);

    NuvOutputResult output_;
    int limit_;
    int statements_ = 0;
    std::string buffer_;
    bool lineOpen_ = false; // the text handed over so far does not end with a line feed
    std::chrono::steady_clock::time_point firstPending_;
};

class Interpreter {
public:
    Interpreter(const Program &program, const SourceFiles &files, const Services &services, RunSettings settings);

    // Runs to the end and returns the outcome kind (TAVO_OUTCOME_*). Error lines have been
    // handed to OutputResult when the kind is TAVO_OUTCOME_ERRORS.
    uint32_t Run();

private:
    enum class Flow { Next, Break, Continue };
    struct Slot {
        enum Kind : uint8_t { Unset, Integer, Array } kind = Unset;
        int64_t value = 0;
        std::vector<int64_t> array;
    };

    Flow Exec(const Stmt &s);
    Flow ExecLoop(const Stmt &s);
    int64_t Eval(const Expr &e);
    int64_t &Element(uint32_t slot, int64_t index, Loc loc);
    int64_t Arithmetic(EOp op, int64_t a, int64_t b, Loc loc) const;
    void Assign(const Stmt &s);
    void Sleep(const Stmt &s);
    void ListDlls();
    void Tick()
    {
        if (++ticks_ >= kPollInterval)
            Poll();
    }
    // Hands collected output over when it waited long enough, and stops the run when IsBreak
    // answers 1 or the work budget is spent.
    void Poll();
    [[noreturn]] void RunError(Loc loc, std::string message) const;

    const Program &program_;
    const SourceFiles &files_;
    Services services_;
    RunSettings settings_;
    OutputBatch out_;
    std::vector<Slot> slots_;
    int64_t ticks_ = 0;         // units of work since the last poll
    uint64_t work_ = 0;         // units of work up to the last poll
    int64_t arrayElements_ = 0; // sum of the sizes of all arrays now declared
};

} // namespace tavo
