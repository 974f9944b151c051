#pragma once
// The lines of one output: everything a run printed, as received, byte for byte.
//
// Invariants: 0 <= m_nCount <= m_nCapacity; every slot below m_nCount is null
// (an empty line, which owns no block) or a NUL-terminated block of exactly its
// length + 1, owned by the store (taken from its CLineArena, so that short lines
// do not pay a malloc header each). m_nLongest is in characters, as the view
// shows them (COutputLineText: UTF-8 when a line is valid UTF-8, else Latin-1):
// the most any line has held since the last RemoveAll; it only grows in
// between. Nothing is discarded for its size; every allocation failure leaves
// the store exactly as it was and is reported by FALSE.
#include <cstddef>

#include "output/CLineArena.h"
#include "output/COutputLineText.h"
#include "output/CUtf8Scanner.h"
#include "platform/Win32Types.h"

class COutputStore {
public:
    COutputStore();  // m_bValid is FALSE when the first 1000 slots cannot be had
    ~COutputStore();
    COutputStore(const COutputStore&) = delete;
    COutputStore& operator=(const COutputStore&) = delete;

    // Stores a copy of `text` as the new last line; an empty text is a null slot.
    BOOL AddLine(const char* text);
    // The same for the first `length` bytes of `text` (no NUL needed there).
    BOOL AddLine(const char* text, std::size_t length);
    BOOL AddEmptyLine();
    // Appends `text` to line `index`; FALSE for an index outside 0..m_nCount-1.
    // Appending to the same line again and again (the open line of a run) costs
    // the appended bytes only, however long the line has grown.
    BOOL AppendToLine(int index, const char* text);

    // Null outside 0..m_nCount-1, "" for an empty line.
    const char* GetLine(int index) const;
    // The caller guarantees 0 <= index < m_nCount.
    int GetLineLength(int index) const;  // in bytes
    // Line `index` (0 .. m_nCount - 1) as the view reads it. The open line of a
    // run is known as it grows; a line of kLongLine bytes or more is read once
    // and remembered until it changes, so that painting, the caret and a
    // selection do not read hundreds of megabytes again at every step.
    COutputLineText LineText(int index) const;
    static constexpr std::size_t kLongLine = 1 << 20;

    // Iteration: SeekLine, then GetNextLine until it returns null.
    BOOL SeekLine(int index);
    const char* GetNextLine();

    // Frees every line; the slot array and its capacity stay, and so do the
    // arena's chunks, which the next lines reuse.
    void RemoveAll();
    // Shrinks the slot array to m_nCount slots (possibly 0; the store still
    // accepts lines afterwards) and frees the arena chunks no line uses.
    void FreeExtra();

    // m_szFileName := base name of `modelPath` (after the last '/', cut at its
    // first '.') + ".prp" in preprocess-only mode, else ".out"; empty for a null
    // path. A name that does not fit the buffer is refused: the name is left
    // empty (so writing it reports "Cannot create the file") and FALSE returned.
    BOOL SetOutputFileName(const char* modelPath, BOOL preprocessOnly);

    // Writes every line followed by CR LF to `fileName`, appending to an existing
    // file when m_bAppend is 1, else replacing it, by SafeFile: the file ends up
    // whole or as it was. FALSE after message 133 (a name that is no plain file
    // or cannot be made) or 134 (a write failed; the file is unchanged).
    BOOL WriteToFile(const char* fileName);

    int m_nLongest = 0;
    int m_nCursor = 0;
    char** m_pLines = nullptr;
    int m_nCount = 0;
    int m_nCapacity = 0;
    BOOL m_bAppend = FALSE;
    BOOL m_bValid = FALSE;
    char m_szFileName[MAX_PATH] = {};
    // How many times RemoveAll emptied the store: a reader that keeps what it
    // learnt of the lines knows by it that they were replaced.
    unsigned m_nClears = 0;

private:
    // The line last appended to: its byte length and how its bytes read so far.
    struct OpenLine {
        int index = -1;
        std::size_t bytes = 0;
        CUtf8Scanner scanner;
    };

    // A long line read before. Only the line appended to changes, and that
    // one is forgotten when it is.
    struct ReadLine {
        int index = -1;
        const char* bytes = nullptr;
        std::size_t length = 0;
        int characters = 0;
        bool utf8 = true;
    };
    static constexpr int kReadLines = 4;

    BOOL Grow();
    void NoteCharacters(std::size_t characters);
    void TrackOpenLine(int index);
    void ForgetReadLines(int index);

    CLineArena m_arena;
    OpenLine m_open;
    mutable ReadLine m_readLines[kReadLines];
    mutable int m_nNextRead = 0;
};
