// Source positions and the error record shared by the preprocessor, lexer, parser and interpreter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

// A position in the model: index into SourceFiles and a 1-based line number.
struct Loc {
    uint32_t file = 0;
    uint32_t line = 0;
};

// The files of one run, by the path under which each was opened. Index 0 is the model itself.
using SourceFiles = std::vector<std::string>;

// One error, reported to the user as "<path>(<line>): <message>".
struct Error {
    Loc loc;
    std::string message;
};

// "<path>(<line>): <message>\n", the form the environment's Go to error reads.
std::string FormatErrorLine(const SourceFiles &files, const Error &error);

} // namespace tavo
