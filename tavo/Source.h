// Source positions and the error record shared by the preprocessor, lexer, parser and interpreter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

// A position in the model: index into SourceFiles and a 1-based line number.
struct Loc {
    uint32_t file = 0;
    uint32_t line = 0;
    bool operator==(const Loc &) const = default;
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

// A size limit for messages: "64 MB" for whole megabytes, else "<n> bytes".
std::string SizeText(std::size_t bytes);

} // namespace tavo
