#include "output/CLineArena.h"

#include <cstring>

#include "output/OutputSeams.h"

CLineArena::~CLineArena()
{
    Clear();
    ReleaseSpares();
    OutputFree(m_pChunks);
}

void CLineArena::Clear()
{
    for (std::size_t i = 0; i < m_nChunks; ++i) {
        Chunk* chunk = m_pChunks[i];
        if (chunk->capacity == kStandardCapacity && m_nSpares < kSpareLimit) {
            Chunk* next = m_pSpares;
            std::memcpy(chunk->Data(), &next, sizeof next);
            m_pSpares = chunk;
            ++m_nSpares;
        } else {
            OutputFree(chunk);
        }
    }
    m_nChunks = 0;
    m_pBump = nullptr;
    m_pLast = nullptr;
}

void CLineArena::ReleaseSpares()
{
    while (Chunk* chunk = TakeSpare())
        OutputFree(chunk);
}

CLineArena::Chunk* CLineArena::TakeSpare()
{
    Chunk* chunk = m_pSpares;
    if (!chunk)
        return nullptr;
    std::memcpy(&m_pSpares, chunk->Data(), sizeof m_pSpares);
    --m_nSpares;
    return chunk;
}

bool CLineArena::ReserveChunkSlot()
{
    if (m_nChunks < m_nChunkSlots)
        return true;
    const std::size_t slots = m_nChunkSlots ? m_nChunkSlots * 2 : 64;
    void* grown = OutputRealloc(m_pChunks, slots * sizeof(Chunk*));
    if (!grown)
        return false;
    m_pChunks = static_cast<Chunk**>(grown);
    m_nChunkSlots = slots;
    return true;
}

CLineArena::Chunk* CLineArena::NewChunk(std::size_t capacity)
{
    if (!ReserveChunkSlot())
        return nullptr;
    Chunk* chunk = capacity == kStandardCapacity ? TakeSpare() : nullptr;
    if (!chunk)
        chunk = static_cast<Chunk*>(OutputMalloc(sizeof(Chunk) + capacity));
    if (!chunk)
        return nullptr;
    chunk->capacity = capacity;
    chunk->used = 0;
    m_pChunks[m_nChunks++] = chunk;
    return chunk;
}

// A long block in a chunk of its own, or a short one from a fresh chunk.
char* CLineArena::AllocateElsewhere(std::size_t bytes)
{
    if (bytes > kLargeBlock) {
        Chunk* own = NewChunk(bytes);
        if (!own)
            return nullptr;
        own->used = bytes;
        m_pLast = own->Data();
        m_nLastChunk = m_nChunks - 1;
        return m_pLast;
    }
    if (!m_pBump || m_pBump->capacity - m_pBump->used < bytes) {
        Chunk* fresh = NewChunk(kStandardCapacity);
        if (!fresh)
            return nullptr;
        m_pBump = fresh;
        m_nBumpChunk = m_nChunks - 1;
    }
    m_pLast = m_pBump->Data() + m_pBump->used;
    m_pBump->used += bytes;
    m_nLastChunk = m_nBumpChunk;
    return m_pLast;
}

char* CLineArena::Grow(char* block, std::size_t oldBytes, std::size_t newBytes)
{
    if (block == m_pLast && newBytes >= oldBytes) {
        Chunk* chunk = m_pChunks[m_nLastChunk];
        const bool alone = chunk->Data() == block && chunk->used == oldBytes && chunk != m_pBump;
        if (block + newBytes <= chunk->Data() + chunk->capacity && (chunk == m_pBump || alone)) {
            chunk->used += newBytes - oldBytes;
            return block;
        }
        if (alone) {
            // A long open line keeps its own chunk, which realloc can often
            // extend where it stands.
            auto* grown = static_cast<Chunk*>(OutputRealloc(chunk, sizeof(Chunk) + newBytes));
            if (!grown)
                return nullptr;
            grown->capacity = grown->used = newBytes;
            m_pChunks[m_nLastChunk] = grown;
            m_pLast = grown->Data();
            return m_pLast;
        }
    }
    char* moved = Allocate(newBytes);
    if (!moved)
        return nullptr;
    std::memcpy(moved, block, oldBytes < newBytes ? oldBytes : newBytes);
    return moved;
}
