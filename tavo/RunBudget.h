// What one run may use. The environment's runs take the defaults, which are the limits the
// language documents; a fuzzer lowers them so that no input runs long or takes much memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavo {

inline constexpr std::size_t kMaxPreprocessedBytes = 64u * 1024 * 1024;
// Statements, operators, operands and print items of the parsed model: about 150 bytes each,
// so a model of 64 MB of ";" cannot make the parsed tree take gigabytes.
inline constexpr std::size_t kMaxProgramParts = 4u * 1024 * 1024;
// All arrays of a run together (elements of 8 bytes: 256 MB).
inline constexpr int64_t kMaxArrayElements = 32 * 1024 * 1024;

struct RunBudget {
    std::size_t sourceBytes = kMaxPreprocessedBytes; // the preprocessed model, and any one file
    std::size_t programParts = kMaxProgramParts;
    int64_t arrayElements = kMaxArrayElements;
    // Units of work (see Interpreter) after which the run stops as if IsBreak had answered 1;
    // 0: no bound, the run ends by itself or through IsBreak.
    uint64_t work = 0;
    // false: sleep hands over the output and polls IsBreak without waiting.
    bool sleeps = true;
};

} // namespace tavo
