#pragma once
// The error-line rule of Go to error: a line of output names a place in a
// source file when it begins with the file's name, '(', optional white space
// and decimal digits, as in "models/demo.nuv(12): run-time error: ...".
// Anything after the digits is ignored.
#include <cstddef>
#include <string>

// The longest file name an error line may give, in bytes.
inline constexpr std::size_t kMaxErrorFileName = 263;
// The most digits read as the line number; the rest of a longer run is ignored,
// so the number never overflows.
inline constexpr std::size_t kMaxErrorLineDigits = 19;

struct ErrorLocation {
    std::string fileName;
    unsigned long long lineNumber = 0;  // 1-based as written; 0 when the line says 0
};

// Reads the place from the first `length` bytes at `line` (no terminating zero
// needed; `line` may be null when `length` is 0). The name is every byte
// before the first '(' and must be 1 to kMaxErrorFileName bytes without a zero
// byte; the white space after '(' is the C locale's (space, \t \n \v \f \r).
// FALSE, leaving `location` untouched, for any line without that form. Safe on
// any input.
bool ParseErrorLine(const char* line, std::size_t length, ErrorLocation* location);
