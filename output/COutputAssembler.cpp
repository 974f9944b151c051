#include "output/COutputAssembler.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "output/IOutputSink.h"
#include "output/OutputSeams.h"

namespace {
constexpr std::size_t kBufferStep = 250;
constexpr char BEL = 7, BS = 8, TAB = 9, LF = 10, VT = 11, CR = 13;

// The bytes that end a run of text: the control characters above and the NUL
// that ends the chunk. Everything else is copied in runs, not byte by byte.
constexpr char kStopBytes[] = {BEL, BS, TAB, LF, VT, CR, '\0'};
constexpr std::array<bool, 256> kStopsText = [] {
    std::array<bool, 256> stops{};
    for (char c : kStopBytes)
        stops[static_cast<unsigned char>(c)] = true;
    return stops;
}();

// Every stop byte is below 14. Eight bytes at a time are skipped while none of
// them is; otherwise the first byte below 14 is found from the bit mask (the
// mask is exact up to and including that byte) and looked up.
std::uint64_t BytesBelow14(std::uint64_t bytes)
{
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t highs = 0x8080808080808080u;
    return (bytes - ones * 14) & ~bytes & highs;
}

// The first stop byte at or after `c`, in the chunk `begin` .. `end` (its NUL,
// which stops every search).
const char* EndOfText(const char* begin, const char* c, const char* end)
{
#if defined(__SSE2__)
    // Sixteen bytes at a time where the machine has it: most output is long
    // runs of text, and this scan is most of the work per line. The last block
    // is the chunk's last sixteen bytes, NUL included, with the bytes before
    // `c` masked off, so no byte is looked at one by one.
    if (end - begin >= 15) {
        const __m128i thirteen = _mm_set1_epi8(13);
        const char* const last = end - 15;
        for (;;) {
            const char* const block = c < last ? c : last;
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
            const __m128i belowFourteen = _mm_cmpeq_epi8(_mm_min_epu8(bytes, thirteen), bytes);
            const unsigned below = static_cast<unsigned>(_mm_movemask_epi8(belowFourteen)) & (~0u << (c - block));
            if (below == 0) {
                c = block + 16;
                continue;
            }
            c = block + std::countr_zero(below);
            if (kStopsText[static_cast<unsigned char>(*c)])
                return c;
            ++c;
        }
    }
#else
    (void)begin;
#endif
    for (;;) {
        if (end - c >= 8) {
            std::uint64_t bytes;
            std::memcpy(&bytes, c, sizeof bytes);
            const std::uint64_t below = BytesBelow14(bytes);
            if (below == 0) {
                c += 8;
                continue;
            }
            if constexpr (std::endian::native == std::endian::little)
                c += std::countr_zero(below) / 8;
            else
                c += std::countl_zero(below) / 8;
        }
        if (kStopsText[static_cast<unsigned char>(*c)])
            return c;
        ++c;
    }
}
// The bytes of a chunk before its first stop byte, the chunk's NUL at the
// latest: the one look at its bytes that a chunk of one plain line needs.
#if defined(__SSE2__)
// Sixteen bytes at a time from aligned blocks, in one pass (the chunk's length
// is not known). An aligned block never reaches into a page the chunk does
// not: the bytes read after the NUL are never used, as in the C library's own
// string functions, which is why the address checks are off here.
__attribute__((no_sanitize_address)) std::size_t PlainLength(const char* text)
{
    const __m128i thirteen = _mm_set1_epi8(13);
    const auto start = reinterpret_cast<std::uintptr_t>(text);
    const char* block = text - (start & 15);
    unsigned wanted = ~0u << (start & 15);
    for (;; block += 16, wanted = ~0u) {
        const __m128i bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
        const __m128i belowFourteen = _mm_cmpeq_epi8(_mm_min_epu8(bytes, thirteen), bytes);
        // Candidates in order: the NUL is a stop, so nothing after it is looked at.
        for (unsigned below = static_cast<unsigned>(_mm_movemask_epi8(belowFourteen)) & wanted; below != 0;
             below &= below - 1) {
            const char* c = block + std::countr_zero(below);
            if (kStopsText[static_cast<unsigned char>(*c)])
                return static_cast<std::size_t>(c - text);
        }
    }
}
#else
std::size_t PlainLength(const char* text)
{
    return std::strcspn(text, kStopBytes);
}
#endif
}  // namespace

COutputAssembler::~COutputAssembler()
{
    Release();
}

void COutputAssembler::Release()
{
    OutputFree(m_buffer);
    m_buffer = nullptr;
    m_size = 0;
}

void COutputAssembler::KeepBuffer(bool keep)
{
    m_bKeep = keep;
    if (!keep)
        Release();
}

// Room for the whole chunk plus its NUL (250 bytes at least) before the
// chunk starts, so that only tabs make the buffer grow while it is cut. A kept
// buffer that is large enough is used as it is.
bool COutputAssembler::Prepare(std::size_t length)
{
    const std::size_t size = length + 1 > kBufferStep ? length + 1 : kBufferStep;
    if (m_buffer && m_size >= size)
        return true;
    // Nothing in the buffer is kept between chunks: free rather than copy it.
    Release();
    m_buffer = static_cast<char*>(OutputMalloc(size));
    if (!m_buffer)
        return false;
    m_size = size;
    return true;
}

// Keeps room for `needed` more bytes at the column plus the terminating NUL,
// growing in steps of 250 bytes.
bool COutputAssembler::Reserve(std::size_t needed)
{
    if (m_column + needed < m_size)
        return true;
    std::size_t size = m_size;
    while (m_column + needed >= size)
        size += kBufferStep;
    void* grown = OutputRealloc(m_buffer, size);
    if (!grown)
        return false;
    m_buffer = static_cast<char*>(grown);
    m_size = size;
    return true;
}

// Stores buffer[0 .. p-1]: as a new line, or onto the open last line.
bool COutputAssembler::StoreLine(bool continueOpenLine)
{
    m_buffer[m_column] = '\0';
    return continueOpenLine ? m_sink.AppendToLastLine(m_buffer) : m_sink.AddOutputText(m_buffer, m_column);
}

// The column of p in characters. What was read before stays read: a line of
// many tabs is read once, not once per tab.
std::size_t COutputAssembler::CharacterColumn()
{
    if (m_scanned.Bytes() > m_column)
        m_scanned.Truncate(m_buffer, m_column);
    m_scanned.Feed(m_buffer + m_scanned.Bytes(), m_column - m_scanned.Bytes());
    return m_scanned.Characters();
}

// p moves back (BS, CR): what lies beyond it is overwritten or cut.
void COutputAssembler::SetColumn(std::size_t column)
{
    m_column = column;
    if (m_scanned.Bytes() > column)
        m_scanned.Truncate(m_buffer, column);
}

// One character back: a whole UTF-8 character while the line reads as UTF-8,
// else one byte.
void COutputAssembler::StepBack()
{
    if (m_column == 0)
        return;
    CharacterColumn();
    std::size_t column = m_column - 1;
    if (m_scanned.Valid()) {
        while (column > 0 && (static_cast<unsigned char>(m_buffer[column]) & 0xC0) == 0x80)
            --column;
    }
    SetColumn(column);
}

COutputAssembler::Result COutputAssembler::Add(const char* text, BOOL& atLineStart)
{
    if (!text)
        text = "";
    // The usual chunk, a model printing one line per call: a whole line of
    // plain text at the start of a line, stored straight from the chunk with
    // one look at its bytes and no work buffer.
    if (atLineStart) {
        const std::size_t plain = PlainLength(text);
        if (text[plain] == LF && text[plain + 1] == '\0') {
            const BOOL stored = plain > 0 ? m_sink.AddOutputText(text, plain) : m_sink.AddOutputEmptyLine();
            return stored ? Result::Ok : Result::NoMemory;
        }
    }
    const std::size_t length = std::strlen(text);
    if (!Prepare(length))
        return Result::NoBuffer;
    const Result result = Assemble(text, text + length, atLineStart);
    if (!m_bKeep)
        Release();
    return result;
}

COutputAssembler::Result COutputAssembler::Assemble(const char* text, const char* end, BOOL& atLineStart)
{
    SetColumn(0);
    bool lineFeed = false;

    for (const char* c = text;; ++c) {
        if (const char* stop = EndOfText(text, c, end); stop != c) {
            const std::size_t bytes = static_cast<std::size_t>(stop - c);
            if (*stop == LF && m_column == 0 && atLineStart) {
                // A whole new line of plain text: stored straight from the chunk.
                if (!m_sink.AddOutputText(c, bytes))
                    return Result::NoMemory;
                lineFeed = true;
                c = stop;
                continue;
            }
            if (!Reserve(bytes))
                return Result::NoMemory;
            std::memcpy(m_buffer + m_column, c, bytes);
            m_column += bytes;
            lineFeed = false;
            c = stop;
        }
        switch (*c) {
        case '\0':
            if (lineFeed) {
                atLineStart = TRUE;
                return Result::Ok;
            }
            if (!StoreLine(!atLineStart))
                return Result::NoMemory;
            atLineStart = FALSE;
            return Result::Ok;
        case BEL: m_sink.Bell(); break;
        case BS: StepBack(); break;
        case CR: SetColumn(0); break;
        case TAB: {
            const std::size_t spaces = 4 - CharacterColumn() % 4;
            if (!Reserve(spaces))
                return Result::NoMemory;
            std::memset(m_buffer + m_column, ' ', spaces);
            m_column += spaces;
            lineFeed = false;
            break;
        }
        case LF:
            if (m_column > 0) {
                if (!StoreLine(!atLineStart))
                    return Result::NoMemory;
                SetColumn(0);
                atLineStart = TRUE;
            } else if (atLineStart) {
                // A failed empty line is reported like any other lost line.
                if (!m_sink.AddOutputEmptyLine())
                    return Result::NoMemory;
            } else {
                atLineStart = TRUE;  // completes the open line
            }
            lineFeed = true;
            break;
        case VT: {
            const int empties = 4 - m_sink.OutputLineCount() % 4;
            if (!StoreLine(false))
                return Result::NoMemory;
            for (int i = 0; i < empties; ++i)
                if (!m_sink.AddOutputEmptyLine())
                    return Result::NoMemory;
            // The same column in characters, as spaces: never more bytes than before.
            const std::size_t column = CharacterColumn();
            std::memset(m_buffer, ' ', column);
            SetColumn(0);
            m_column = column;
            break;
        }
        default: break;  // not reached: every other byte is text
        }
    }
}
