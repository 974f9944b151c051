#include "output/COutputStore.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "output/COutputLineText.h"
#include "output/OutputMessages.h"
#include "output/OutputSeams.h"
#include "platform/SafeFile.h"
#include "res/StringTable.h"

namespace {
constexpr int kInitialCapacity = 1000;
}  // namespace

COutputStore::COutputStore()
{
    m_pLines = static_cast<char**>(OutputMalloc(kInitialCapacity * sizeof(char*)));
    if (!m_pLines)
        return;
    std::memset(m_pLines, 0, kInitialCapacity * sizeof(char*));
    m_nCapacity = kInitialCapacity;
    m_bValid = TRUE;
}

COutputStore::~COutputStore()
{
    RemoveAll();
    OutputFree(m_pLines);
}

// Doubles the slot array; an array shrunk to nothing by FreeExtra starts again
// at the initial size, since doubling zero would never make room.
BOOL COutputStore::Grow()
{
    if (m_nCapacity > INT_MAX / 2)
        return FALSE;
    const int capacity = m_nCapacity > 0 ? m_nCapacity * 2 : kInitialCapacity;
    void* slots = OutputRealloc(m_pLines, static_cast<std::size_t>(capacity) * sizeof(char*));
    if (!slots)
        return FALSE;
    m_pLines = static_cast<char**>(slots);
    std::memset(m_pLines + m_nCapacity, 0, static_cast<std::size_t>(capacity - m_nCapacity) * sizeof(char*));
    m_nCapacity = capacity;
    return TRUE;
}

void COutputStore::NoteCharacters(std::size_t characters)
{
    if (characters > static_cast<std::size_t>(m_nLongest))
        m_nLongest = static_cast<int>(characters);
}

BOOL COutputStore::AddLine(const char* text)
{
    return AddLine(text, text ? std::strlen(text) : 0);
}

BOOL COutputStore::AddLine(const char* text, std::size_t length)
{
    if (length >= static_cast<std::size_t>(INT_MAX))
        return FALSE;
    if (m_nCount == m_nCapacity && !Grow())
        return FALSE;
    char* block = nullptr;
    if (length > 0) {
        block = m_arena.Allocate(length + 1);
        if (!block)
            return FALSE;
        std::memcpy(block, text, length);
        block[length] = '\0';
    }
    // A line has no more characters than bytes: most lines need no counting.
    if (length > static_cast<std::size_t>(m_nLongest))
        NoteCharacters(static_cast<std::size_t>(COutputLineText::CharacterCount(text, length)));
    m_pLines[m_nCount++] = block;
    return TRUE;
}

BOOL COutputStore::AddEmptyLine()
{
    return AddLine("");
}

BOOL COutputStore::AppendToLine(int index, const char* text)
{
    if (index < 0 || index >= m_nCount)
        return FALSE;
    const std::size_t added = text ? std::strlen(text) : 0;
    if (added == 0)
        return TRUE;  // an empty line stays a null slot
    TrackOpenLine(index);
    char* line = m_pLines[index];
    const std::size_t old = m_open.bytes;
    if (old + added >= static_cast<std::size_t>(INT_MAX))
        return FALSE;
    line = line ? m_arena.Grow(line, old + 1, old + added + 1) : m_arena.Allocate(added + 1);
    if (!line)
        return FALSE;
    std::memcpy(line + old, text, added + 1);
    m_pLines[index] = line;
    m_open.bytes = old + added;
    m_open.scanner.Feed(text, added);
    NoteCharacters(m_open.scanner.Characters());
    return TRUE;
}

// Lines change only by appending, so what was read of the tracked line stays
// true; another line is read once when appending to it begins.
void COutputStore::TrackOpenLine(int index)
{
    if (m_open.index == index)
        return;
    ForgetReadLines(index);
    const char* line = m_pLines[index];
    m_open.index = index;
    m_open.bytes = line ? std::strlen(line) : 0;
    m_open.scanner.Reset();
    m_open.scanner.Feed(line, m_open.bytes);
}

const char* COutputStore::GetLine(int index) const
{
    if (index < 0 || index >= m_nCount)
        return nullptr;
    return m_pLines[index] ? m_pLines[index] : "";
}

int COutputStore::GetLineLength(int index) const
{
    const char* line = m_pLines[index];
    return line ? static_cast<int>(std::strlen(line)) : 0;
}

COutputLineText COutputStore::LineText(int index) const
{
    const char* line = m_pLines[index] ? m_pLines[index] : "";
    if (index == m_open.index)
        return COutputLineText(line, m_open.bytes, m_open.scanner.Valid(),
                               static_cast<int>(std::min<std::size_t>(m_open.scanner.Characters(), INT_MAX)));
    for (const ReadLine& read : m_readLines) {
        if (read.index == index && read.bytes == line)
            return COutputLineText(line, read.length, read.utf8, read.characters);
    }
    const COutputLineText text(line, std::strlen(line));
    if (text.ByteLength() >= kLongLine) {
        m_readLines[m_nNextRead] = {index, line, text.ByteLength(), text.Length(), text.IsUtf8()};
        m_nNextRead = (m_nNextRead + 1) % kReadLines;
    }
    return text;
}

void COutputStore::ForgetReadLines(int index)
{
    for (ReadLine& read : m_readLines) {
        if (index < 0 || read.index == index)
            read = ReadLine();
    }
}

BOOL COutputStore::SeekLine(int index)
{
    if (index < 0 || index >= m_nCount) {
        m_nCursor = -1;
        return FALSE;
    }
    m_nCursor = index;
    return TRUE;
}

const char* COutputStore::GetNextLine()
{
    if (m_nCursor < 0)
        return nullptr;
    const char* line = GetLine(m_nCursor);
    if (line)
        ++m_nCursor;
    return line;
}

// Slots at and above m_nCount are never read (AddLine writes each slot it
// takes), so the array is not cleared: for a long output that would be
// megabytes written for nothing at the start of every run.
void COutputStore::RemoveAll()
{
    m_arena.Clear();
    m_open = OpenLine();
    ForgetReadLines(-1);
    m_nCount = 0;
    m_nLongest = 0;
    m_nCursor = 0;
    ++m_nClears;
}

void COutputStore::FreeExtra()
{
    m_arena.ReleaseSpares();  // what the last run left unused
    if (m_nCapacity <= m_nCount)
        return;
    if (m_nCount == 0) {
        OutputFree(m_pLines);
        m_pLines = nullptr;
        m_nCapacity = 0;
        return;
    }
    // A failed shrink keeps the larger array, which is still valid.
    if (void* slots = OutputRealloc(m_pLines, static_cast<std::size_t>(m_nCount) * sizeof(char*))) {
        m_pLines = static_cast<char**>(slots);
        m_nCapacity = m_nCount;
    }
}

BOOL COutputStore::SetOutputFileName(const char* modelPath, BOOL preprocessOnly)
{
    m_szFileName[0] = '\0';
    if (!modelPath)
        return TRUE;
    const char* slash = std::strrchr(modelPath, '/');
    const char* base = slash ? slash + 1 : modelPath;
    const char* dot = std::strchr(base, '.');
    const std::size_t baseLength = dot ? static_cast<std::size_t>(dot - base) : std::strlen(base);
    const char* extension = preprocessOnly ? ".prp" : ".out";
    if (baseLength + std::strlen(extension) >= sizeof m_szFileName)
        return FALSE;
    std::memcpy(m_szFileName, base, baseLength);
    std::strcpy(m_szFileName + baseLength, extension);
    return TRUE;
}

// Through the one safe writer: a path that is not a plain file (a FIFO would
// block the program until someone reads it) is refused unopened, and a failed
// write leaves the file as it was, also when appending.
BOOL COutputStore::WriteToFile(const char* fileName)
{
    SafeFile file;
    const SafeFile::Mode mode = m_bAppend == 1 ? SafeFile::Mode::Append : SafeFile::Mode::Replace;
    if (!file.Open(fileName, mode)) {
        ReportOutputFileFailure(IDS_CANNOT_CREATE_FILE, fileName);
        return FALSE;
    }
    bool written = true;
    for (int i = 0; i < m_nCount && written; ++i) {
        const char* line = m_pLines[i];
        written = (!line || file.Write(line, std::strlen(line))) && file.Write("\r\n", 2);
    }
    if (!written || !file.Commit()) {
        ReportOutputFileFailure(IDS_CANNOT_WRITE_OUTPUT, fileName);
        return FALSE;
    }
    return TRUE;
}
