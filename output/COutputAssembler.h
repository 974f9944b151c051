#pragma once
// Cuts one chunk of interpreter output into lines, honouring the control
// characters the interpreter prints:
//   BEL beeps; BS steps back one column (what follows overwrites); CR returns to
//   column 0 (the stored line ends where writing stopped); TAB advances to the
//   next multiple of 4; LF ends the line; VT stores the line and 1..4 empty lines
//   so that the line count becomes a multiple of 4, and the next text keeps its
//   column on a new line. Other bytes, other control bytes included, are text.
// Columns are characters as the output view shows them: while the text written
// so far on the line reads as UTF-8, BS steps back over a whole character and
// tab stops count "é" or an emoji as one column; once it cannot (a byte that is
// not UTF-8), every byte is a column, as the view then shows it in Latin-1. A
// line whose later bytes break the UTF-8 may so have tab stops counted in
// UTF-8 before that point.
// A chunk that does not end with a line feed leaves its last line open: the next
// chunk continues it (atLineStart FALSE).
//
// The work buffer holds at least the chunk's length + 1 (250 bytes at least)
// when a chunk starts and grows in steps of 250 bytes. It is made for each
// chunk and freed after it, unless KeepBuffer is on (during a run): then it is
// reused from chunk to chunk, so that a run printing many short chunks does not
// pay an allocation for each, and freed when KeepBuffer is turned off.
#include <cstddef>

#include "output/CUtf8Scanner.h"
#include "platform/Win32Types.h"

class IOutputSink;

class COutputAssembler {
public:
    enum class Result {
        Ok,
        NoBuffer,  // the work buffer could not be had: nothing stored (message 103)
        NoMemory,  // a line could not be stored or the buffer not grown (message 169)
    };

    explicit COutputAssembler(IOutputSink& sink) : m_sink(sink) {}
    ~COutputAssembler();
    COutputAssembler(const COutputAssembler&) = delete;
    COutputAssembler& operator=(const COutputAssembler&) = delete;

    // Adds `text` through the sink. On failure the rest of the chunk is dropped,
    // the lines stored before stay and `atLineStart` keeps its value.
    Result Add(const char* text, BOOL& atLineStart);

    // On: the work buffer outlives the chunk. Off: it is freed now and after
    // every chunk.
    void KeepBuffer(bool keep);

private:
    bool Prepare(std::size_t length);
    Result Assemble(const char* text, const char* end, BOOL& atLineStart);
    bool Reserve(std::size_t needed);
    bool StoreLine(bool continueOpenLine);
    void Release();
    std::size_t CharacterColumn();
    void SetColumn(std::size_t column);
    void StepBack();

    IOutputSink& m_sink;
    char* m_buffer = nullptr;
    std::size_t m_size = 0;  // S: bytes in the work buffer
    std::size_t m_column = 0;  // p, in bytes
    // How buffer[0 .. m_scanned.Bytes() - 1] reads; caught up with p lazily,
    // when a tab, a backspace or a vertical tab asks for the column.
    CUtf8Scanner m_scanned;
    bool m_bKeep = false;
};
