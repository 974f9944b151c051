#pragma once
// Where COutputAssembler puts the lines it cuts from a chunk: the output window
// (which stores them and follows the end) or, in tests, a plain recorder.
#include <cstddef>

#include "platform/Win32Types.h"

class IOutputSink {
public:
    virtual ~IOutputSink() = default;
    // Stores the first `length` bytes of `text` (which need not end there) as
    // a new line.
    virtual BOOL AddOutputText(const char* text, std::size_t length) = 0;
    virtual BOOL AddOutputEmptyLine() = 0;
    // Continues the open last line; shows with the next repaint.
    virtual BOOL AppendToLastLine(const char* text) = 0;
    virtual int OutputLineCount() const = 0;
    // A BEL in the text.
    virtual void Bell() = 0;
};
