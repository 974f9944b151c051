// Fuzzes the output assembler through its public interface: chunks of any bytes (every control
// character included) go through COutputAssembler::Add into a COutputStore, as during a run.
//
// Input: a flag byte, a fault byte, then the chunks, separated by zero bytes (a chunk is a C
// string). Flags: 1 keeps the work buffer (a run), 2 turns that over every third chunk, 4 fails
// the allocation numbered by the fault byte, 8 calls FreeExtra every fifth chunk, 16 clears
// the store every seventh chunk (a new run).
//
// After every chunk: the store's invariants hold, it holds exactly the lines the sink handed it
// (nothing accepted is lost or altered), no stored line holds a character the assembler
// interprets, and an open line exists whenever the next chunk is to continue one. Inputs
// without the characters that move the column (BS, CR, TAB, VT) and without a failed
// allocation must come out as their text cut at the line feeds, bells dropped.
#include "FuzzCheck.h"
#include "ShadowSink.h"

#include "output/COutputAssembler.h"
#include "output/COutputLineText.h"
#include "output/OutputSeams.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum Flags : uint8_t { kKeepBuffer = 1, kToggleKeep = 2, kFailAllocation = 4, kFreeExtra = 8, kRemoveAll = 16 };

int g_allocations = 0;
int g_failAt = 0;
bool FailNumbered(std::size_t) { return ++g_allocations == g_failAt; }

// Checks the lines from `first` on (a chunk can only add lines and extend the last one; the
// whole store is checked at the end and after every operation on the store itself).
void CheckStore(const COutputStore &store, const ShadowSink &sink, BOOL atLineStart, int first = 0)
{
    FuzzRequire(store.m_nCount >= 0 && store.m_nCount <= store.m_nCapacity, "0 <= count <= capacity");
    FuzzRequire(static_cast<std::size_t>(store.m_nCount) == sink.lines.size(), "every accepted line is stored");
    int longest = 0;
    int longestBytes = 0;
    for (int i = std::max(first, 0); i < store.m_nCount; ++i) {
        const char *slot = store.m_pLines[i];
        FuzzRequire(slot == nullptr || *slot != '\0', "an empty line owns no block");
        const std::string &expected = sink.lines[static_cast<std::size_t>(i)];
        FuzzRequire(store.GetLine(i) == expected, "a stored line is the text the sink gave");
        FuzzRequire(store.GetLineLength(i) == static_cast<int>(expected.size()), "a line's length is its text's");
        FuzzRequire(expected.find_first_of("\a\b\t\n\v\r") == std::string::npos,
                    "no stored line holds a character the assembler interprets");
        longest = std::max(longest, COutputLineText::CharacterCount(expected.data(), expected.size()));
        longestBytes = std::max(longestBytes, static_cast<int>(expected.size()));
    }
    // The longest length counts characters; an open line that grew in chunks
    // may for a while have counted a split character as several, never more
    // than its bytes.
    FuzzRequire(store.m_nLongest >= longest, "the longest length covers the longest line's characters");
    FuzzRequire(first > 0 || store.m_nLongest <= longestBytes, "the longest length never exceeds a line's bytes");
    FuzzRequire(atLineStart || store.m_nCount > 0, "an open line exists to continue");
}

// The lines of chunks that hold no column-moving character, from the rules alone.
std::vector<std::string> PlainLines(const std::vector<std::string_view> &chunks)
{
    std::vector<std::string> lines;
    bool open = false;
    for (const std::string_view chunk : chunks) {
        std::string text(chunk);
        text.erase(std::remove(text.begin(), text.end(), '\a'), text.end());
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            if (open)
                lines.back() += text.substr(start, end - start);
            else
                lines.push_back(text.substr(start, end - start));
            open = false;
        }
        if (start < text.size() || text.empty() || text.back() != '\n') {
            if (open)
                lines.back() += text.substr(start);
            else
                lines.push_back(text.substr(start));
            open = true;
        }
    }
    return lines;
}

std::vector<std::string_view> Chunks(std::string_view text)
{
    std::vector<std::string_view> chunks;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\0', start);
        chunks.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return chunks;
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    const std::vector<std::string_view> chunks = Chunks(std::string_view(reinterpret_cast<const char *>(data) + 2, size - 2));

    COutputStore store;
    FuzzRequire(store.m_bValid, "a new store has its slots");
    ShadowSink sink(store);
    COutputAssembler assembler(sink);
    bool keep = flags & kKeepBuffer;
    assembler.KeepBuffer(keep);
    BOOL atLineStart = TRUE;
    g_allocations = 0;
    g_failAt = flags & kFailAllocation ? data[1] : 0;
    SetAllocationFault(g_failAt ? &FailNumbered : nullptr);
    bool failed = false;
    bool cleared = false;

    for (std::size_t i = 0; i < chunks.size(); ++i) {
        if ((flags & kToggleKeep) && i % 3 == 2)
            assembler.KeepBuffer(keep = !keep);
        if ((flags & kRemoveAll) && i % 7 == 6) {
            store.RemoveAll();
            sink.lines.clear();
            atLineStart = TRUE;
            cleared = true;
        }
        const std::string chunk(chunks[i]);
        const int before = store.m_nCount;
        const int longestBefore = store.m_nLongest;
        const COutputAssembler::Result result = assembler.Add(chunk.c_str(), atLineStart);
        failed = failed || result != COutputAssembler::Result::Ok;
        FuzzRequire(result == COutputAssembler::Result::Ok || g_failAt != 0, "only a failed allocation fails a chunk");
        FuzzRequire(store.m_nLongest >= longestBefore, "the longest length only grows");
        CheckStore(store, sink, atLineStart, before - 1);
        if ((flags & kFreeExtra) && i % 5 == 4) {
            store.FreeExtra();
            CheckStore(store, sink, atLineStart);
        }
    }
    SetAllocationFault(nullptr);
    CheckStore(store, sink, atLineStart);

    const std::string_view all(reinterpret_cast<const char *>(data) + 2, size - 2);
    if (!failed && !cleared && all.find_first_of(std::string_view("\b\r\t\v", 4)) == std::string_view::npos)
        FuzzRequire(sink.lines == PlainLines(chunks), "plain text is stored as it came, cut at the line feeds");
    return 0;
}
