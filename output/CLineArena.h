#pragma once
// Heap space for the text of output lines. A malloc block costs 8 to 24 bytes
// beyond what it holds, which for the short lines models print is more than
// the text itself; the arena hands out short blocks back to back from 64 KB
// chunks instead, so a stored line costs its text, its NUL and its slot.
// Blocks longer than kLargeBlock get a chunk of their own.
//
// Blocks are never freed one by one: Clear releases every block at once. The
// most recent block can grow in place (the open line of a run); any other block
// that grows moves, and its old bytes stay unused until Clear.
//
// Clear keeps the standard 64 KB chunks (up to kSpareLimit of them) as spares
// that later blocks are cut from again: the next run then writes into pages it
// already has instead of faulting in fresh ones. ReleaseSpares frees them (the
// store does so when a run ends), so spares never outlast the run after the
// one that used them.
#include <cstddef>

class CLineArena {
public:
    static constexpr std::size_t kChunkBytes = 64 * 1024;
    static constexpr std::size_t kLargeBlock = 2048;

    CLineArena() = default;
    ~CLineArena();
    CLineArena(const CLineArena&) = delete;
    CLineArena& operator=(const CLineArena&) = delete;

    // A block of `bytes`; nullptr when memory cannot be had. A short block from
    // the current chunk is the usual case and is cut here, inline.
    char* Allocate(std::size_t bytes)
    {
        if (bytes <= kLargeBlock && m_pBump && m_pBump->capacity - m_pBump->used >= bytes) {
            m_pLast = m_pBump->Data() + m_pBump->used;
            m_pBump->used += bytes;
            m_nLastChunk = m_nBumpChunk;
            return m_pLast;
        }
        return AllocateElsewhere(bytes);
    }
    // `block` (holding `oldBytes`) made `newBytes` long, its content kept; the
    // result may be another address. nullptr, block unchanged, on failure.
    char* Grow(char* block, std::size_t oldBytes, std::size_t newBytes);
    void Clear();
    // Frees the chunks kept by Clear that no block has used since.
    void ReleaseSpares();

    std::size_t ChunkCount() const { return m_nChunks; }  // chunks holding blocks
    std::size_t SpareCount() const { return m_nSpares; }

    static constexpr std::size_t kSpareLimit = 1024;  // 64 MB

private:
    struct Chunk {
        std::size_t capacity;  // bytes of data after the header
        std::size_t used;
        char* Data() { return reinterpret_cast<char*>(this + 1); }
    };

    static constexpr std::size_t kStandardCapacity = kChunkBytes - sizeof(Chunk);

    char* AllocateElsewhere(std::size_t bytes);
    Chunk* NewChunk(std::size_t capacity);
    bool ReserveChunkSlot();

    Chunk* TakeSpare();

    Chunk** m_pChunks = nullptr;
    std::size_t m_nChunks = 0;
    std::size_t m_nChunkSlots = 0;
    Chunk* m_pBump = nullptr;      // the chunk short blocks come from
    std::size_t m_nBumpChunk = 0;  // its index
    char* m_pLast = nullptr;       // the most recent block
    std::size_t m_nLastChunk = 0;  // index of the chunk that holds it
    Chunk* m_pSpares = nullptr;    // kept standard chunks, linked through their data
    std::size_t m_nSpares = 0;
};
