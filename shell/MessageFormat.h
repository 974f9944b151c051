#pragma once
// printf-style formatting of string-table entries into the 252-byte message
// buffer. Only %s, %d and %% occur in the table; the formatter takes its
// arguments by kind, so a mismatched entry cannot read the wrong type, and it
// never overruns the buffer nor cuts a multi-byte character in two.
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>

inline constexpr std::size_t kMessageBufferSize = 252;

struct FormatArg {
    FormatArg(const char* text) : text(text ? text : "(null)") {}
    FormatArg(long value) : isNumber(true), number(value) {}
    FormatArg(int value) : isNumber(true), number(value) {}
    bool isNumber = false;
    const char* text = "";
    long number = 0;
};

// Formats `format` with `args` in order; the result holds at most
// `capacity` - 1 bytes.
std::string FormatBounded(const char* format, std::initializer_list<FormatArg> args,
                          std::size_t capacity = kMessageBufferSize);
std::string FormatBounded(const char* format, std::span<const FormatArg> args,
                          std::size_t capacity = kMessageBufferSize);
