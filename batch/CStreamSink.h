#pragma once
// The output store of a headless run, kept as a stream: the lines the
// assembler cuts go straight to the writer in the form the output window's
// Save As gives them (each line's bytes, then CR LF), instead of being held.
// That works because the store only ever changes its last line, and only by
// appending: a line's bytes are written as they come, and its CR LF once it is
// complete (CloseLine: the chunk ended at a line start, so nothing can be
// appended to it any more) or when the next line begins. Memory stays the same
// however long the output grows.
#include <cstdint>

#include "output/IOutputSink.h"

class COutputWriter;

class CStreamSink : public IOutputSink {
public:
    explicit CStreamSink(COutputWriter& writer) : m_writer(writer) {}

    BOOL AddOutputText(const char* text, std::size_t length) override;
    BOOL AddOutputEmptyLine() override;
    BOOL AppendToLastLine(const char* text) override;
    // Only the count modulo 4 matters to the assembler (vertical tabs), and a
    // headless output may have more lines than an int counts.
    int OutputLineCount() const override;
    void Bell() override {}

    // The last line is complete: its CR LF now.
    bool CloseLine();
    std::uint64_t Lines() const { return m_nLines; }

private:
    COutputWriter& m_writer;
    std::uint64_t m_nLines = 0;
    bool m_bLineOpen = false;  // the last line's CR LF is still to come
};
