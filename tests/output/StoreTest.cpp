// The store of output lines: growth, shrinking, iteration, failures.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "FaultInjection.h"
#include "ReferenceOutput.h"
#include "output/CLineArena.h"
#include "output/COutputLineText.h"
#include "output/COutputStore.h"

namespace {

using Lines = std::vector<std::string>;

TEST(OutputStore, CapacityDoublesAndShrinksToTheLineCount)
{
    COutputStore store;
    ASSERT_TRUE(store.m_bValid);
    EXPECT_EQ(store.m_nCapacity, 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(store.AddLine("x"));
    EXPECT_EQ(store.m_nCapacity, 1000);
    ASSERT_TRUE(store.AddLine("the 1001st"));
    EXPECT_EQ(store.m_nCapacity, 2000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(store.AddEmptyLine());
    EXPECT_EQ(store.m_nCapacity, 4000);
    store.FreeExtra();
    EXPECT_EQ(store.m_nCapacity, 2001);
    EXPECT_STREQ(store.GetLine(1000), "the 1001st");
    EXPECT_STREQ(store.GetLine(2000), "");
}

TEST(OutputStore, AcceptsLinesAfterShrinkingToNothing)
{
    COutputStore store;
    store.FreeExtra();
    EXPECT_EQ(store.m_nCapacity, 0);
    ASSERT_TRUE(store.AddLine("next run"));
    EXPECT_EQ(store.m_nCount, 1);
    EXPECT_GE(store.m_nCapacity, 1);
    store.RemoveAll();
    store.FreeExtra();
    ASSERT_TRUE(store.AddEmptyLine());
    EXPECT_STREQ(store.GetLine(0), "");
}

TEST(OutputStore, LinesLengthsAndIteration)
{
    COutputStore store;
    store.AddLine("alpha");
    store.AddEmptyLine();
    store.AddLine("gamma\r\nwith its own line end");  // stored whole, as the listing does
    EXPECT_TRUE(store.AppendToLine(1, "beta"));
    EXPECT_TRUE(store.AppendToLine(0, ""));
    EXPECT_FALSE(store.AppendToLine(3, "x"));
    EXPECT_FALSE(store.AppendToLine(-1, "x"));
    EXPECT_EQ(LinesOf(store), (Lines{"alpha", "beta", "gamma\r\nwith its own line end"}));
    EXPECT_EQ(store.GetLineLength(1), 4);
    EXPECT_EQ(store.m_nLongest, 28);
    EXPECT_EQ(store.GetLine(3), nullptr);
    EXPECT_EQ(store.GetLine(-1), nullptr);

    ASSERT_TRUE(store.SeekLine(1));
    EXPECT_STREQ(store.GetNextLine(), "beta");
    EXPECT_NE(store.GetNextLine(), nullptr);
    EXPECT_EQ(store.GetNextLine(), nullptr);
    EXPECT_FALSE(store.SeekLine(3));
    EXPECT_EQ(store.GetNextLine(), nullptr);

    store.RemoveAll();
    EXPECT_EQ(store.m_nCount, 0);
    EXPECT_EQ(store.m_nLongest, 0);
    EXPECT_EQ(store.m_nCapacity, 1000);
}

// The longest line, which sets the horizontal scroll range, is counted in the
// characters the view shows, however the line arrived.
TEST(OutputStore, LongestLineInCharacters)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;  // the first added, the others appended
        int longest;
    } cases[] = {
        {"ASCII", {std::string(65, 'x')}, 65},
        {"accents", {"caf\xc3\xa9 \xc3\xa9\xc3\xa9"}, 7},
        {"euro and emoji", {"\xe2\x82\xac\xe2\x82\xac \xf0\x9f\x98\x80 end"}, 8},
        {"Latin-1", {"caf\xe9 \xe9\xe9"}, 7},
        {"a character split between appends", {"caf", "\xc3", "\xa9", "s"}, 5},
        {"UTF-8 broken by an append", {"\xc3\xa9\xc3\xa9", "\xff"}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COutputStore store;
        ASSERT_TRUE(store.AddLine("short"));
        ASSERT_TRUE(store.AddLine(c.pieces[0].c_str()));
        for (std::size_t i = 1; i < c.pieces.size(); ++i)
            ASSERT_TRUE(store.AppendToLine(1, c.pieces[i].c_str()));
        EXPECT_EQ(store.m_nLongest, c.longest);
        std::string whole;
        for (const std::string& piece : c.pieces)
            whole += piece;
        EXPECT_EQ(store.GetLine(1), whole) << "the bytes are kept as they came";
    }
}

TEST(OutputStore, FailedAllocationsLeaveTheStoreAsItWas)
{
    // Lines longer than the arena's short blocks always need memory of their own.
    const std::string big(CLineArena::kLargeBlock + 1, 'b');
    COutputStore store;
    for (int i = 0; i < 1000; ++i)
        store.AddLine("line");
    {
        AllocationFailure failure(1);
        EXPECT_FALSE(store.AddLine("needs more slots"));
    }
    EXPECT_EQ(store.m_nCount, 1000);
    EXPECT_EQ(store.m_nCapacity, 1000);
    ASSERT_TRUE(store.AddEmptyLine());  // grows the slots: 2000
    {
        AllocationFailure failure(1);
        EXPECT_FALSE(store.AddLine(big.c_str()));
        EXPECT_TRUE(store.AddEmptyLine()) << "an empty line needs no block";
    }
    {
        AllocationFailure failure(1);
        EXPECT_FALSE(store.AppendToLine(0, big.c_str()));
    }
    EXPECT_STREQ(store.GetLine(0), "line");
    EXPECT_EQ(store.m_nCount, 1002);
    EXPECT_EQ(store.m_nLongest, 4);

    AllocationFailure failure(1);
    COutputStore refused;
    EXPECT_FALSE(refused.m_bValid);
}

// Blocks keep their bytes however they are allocated and grown: short and
// long, the latest (grown in place) and older ones (moved).
TEST(LineArena, BlocksKeepTheirContent)
{
    std::mt19937 random(7);
    CLineArena arena;
    std::vector<char*> blocks;
    std::vector<std::string> expected;
    for (int step = 0; step < 20000; ++step) {
        const bool grow = !blocks.empty() && random() % 3 == 0;
        const std::size_t extra = random() % 8 == 0 ? random() % 5000 : random() % 40;
        const std::string text(extra + 1, static_cast<char>('a' + step % 26));
        if (grow) {
            // Mostly the latest block, as the open line of a run.
            const std::size_t i = random() % 4 ? blocks.size() - 1 : random() % blocks.size();
            const std::size_t old = expected[i].size();
            char* grown = arena.Grow(blocks[i], old, old + text.size());
            ASSERT_NE(grown, nullptr);
            std::memcpy(grown + old, text.data(), text.size());
            blocks[i] = grown;
            expected[i] += text;
        } else {
            char* block = arena.Allocate(text.size());
            ASSERT_NE(block, nullptr);
            std::memcpy(block, text.data(), text.size());
            blocks.push_back(block);
            expected.push_back(text);
        }
    }
    for (std::size_t i = 0; i < blocks.size(); ++i)
        ASSERT_EQ(std::string(blocks[i], expected[i].size()), expected[i]) << "block " << i;

    // An open line growing a byte at a time stays in place while its chunk has room.
    arena.Clear();
    char* open = arena.Allocate(1);
    for (std::size_t length = 1; length < 1000; ++length)
        ASSERT_EQ(arena.Grow(open, length, length + 1), open);
    EXPECT_EQ(arena.ChunkCount(), 1u);
}

// Clearing keeps the standard chunks for the next lines, which then need no
// fresh memory; releasing frees those no line took again.
TEST(LineArena, ClearedChunksAreReusedUntilReleased)
{
    CLineArena arena;
    const std::size_t perChunk = CLineArena::kChunkBytes / 1024;
    for (std::size_t i = 0; i < 3 * perChunk; ++i)
        ASSERT_NE(arena.Allocate(1000), nullptr);
    ASSERT_EQ(arena.ChunkCount(), 3u);
    ASSERT_NE(arena.Allocate(CLineArena::kLargeBlock + 1), nullptr);
    arena.Clear();
    EXPECT_EQ(arena.ChunkCount(), 0u);
    EXPECT_EQ(arena.SpareCount(), 3u) << "a chunk of its own is freed";
    {
        AllocationFailure failure(1, true);
        char* block = arena.Allocate(1000);
        ASSERT_NE(block, nullptr);
        std::memset(block, 'r', 1000);
        EXPECT_EQ(arena.Allocate(CLineArena::kLargeBlock + 1), nullptr) << "long blocks still need memory";
    }
    EXPECT_EQ(arena.SpareCount(), 2u);
    arena.ReleaseSpares();
    EXPECT_EQ(arena.SpareCount(), 0u);
    EXPECT_EQ(arena.ChunkCount(), 1u);
}

// A long line is read once and remembered: what the store says of it stays
// what a fresh reading says while lines grow, move on and are replaced.
TEST(OutputStore, LongLinesReadAsTheyAreNow)
{
    COutputStore store;
    const std::string ascii(COutputStore::kLongLine, 'a');
    const std::string latin1 = std::string(COutputStore::kLongLine, 'b') + "\xe9";
    const struct Step {
        const char* name;
        std::function<void(COutputStore&)> change;
    } steps[] = {
        {"a long ASCII line and a long Latin-1 line", [&](COutputStore& s) {
             s.AddLine(ascii.c_str());
             s.AddLine(latin1.c_str());
         }},
        {"the first read again", [](COutputStore&) {}},
        {"an open line growing into a long one", [&](COutputStore& s) {
             s.AddLine("caf\xc3\xa9 ");
             s.AppendToLine(2, ascii.c_str());
         }},
        {"the open line breaks its UTF-8", [](COutputStore& s) { s.AppendToLine(2, "\xff"); }},
        {"a remembered line grows after all", [&](COutputStore& s) {
             s.AppendToLine(0, "\xc3\xa9");
             s.AddEmptyLine();
             s.AppendToLine(3, "x");
         }},
        {"a new run in the same memory", [&](COutputStore& s) {
             s.RemoveAll();
             s.AddLine(latin1.c_str());
             s.AddLine(ascii.c_str());
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change(store);
        for (int i = 0; i < store.m_nCount; ++i) {
            const COutputLineText known = store.LineText(i);
            const COutputLineText fresh(store.GetLine(i), std::strlen(store.GetLine(i)));
            EXPECT_EQ(known.ByteLength(), fresh.ByteLength()) << "line " << i;
            EXPECT_EQ(known.Length(), fresh.Length()) << "line " << i;
            EXPECT_EQ(known.IsUtf8(), fresh.IsUtf8()) << "line " << i;
        }
    }
}

}  // namespace
