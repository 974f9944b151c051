// How chunks of interpreter output become lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FaultInjection.h"
#include "ReferenceOutput.h"
#include "output/COutputAssembler.h"
#include "output/COutputStore.h"

namespace {

using Lines = std::vector<std::string>;
using Result = COutputAssembler::Result;

struct Assembly {
    COutputStore store;
    StoreSink sink{store};
    COutputAssembler assembler{sink};
    BOOL atLineStart = TRUE;

    explicit Assembly(bool keepBuffer = false) { assembler.KeepBuffer(keepBuffer); }
    Result Add(const std::string& chunk) { return assembler.Add(chunk.c_str(), atLineStart); }
};

struct Case {
    const char* name;
    Lines before;  // complete lines stored before the chunks
    std::vector<std::string> chunks;
    Lines expected;
    bool atLineStart;
    int bells = 0;
    bool splitInvariant = false;  // any split of the joined chunks gives the same
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"open line continues in the next chunk", {}, {"abc", "def\n"}, {"abcdef"}, true, 0, true},
        {"line feeds store empty lines", {}, {"a\n\n\nb"}, {"a", "", "", "b"}, false, 0, true},
        {"first line feed at line start", {}, {"\n"}, {""}, true, 0, true},
        {"line feed after open line only completes it", {}, {"x", "\n"}, {"x"}, true, 0, true},
        {"empty chunk opens an empty line", {}, {""}, {""}, false},
        {"empty chunk with an open line changes nothing", {}, {"x", ""}, {"x"}, false},
        {"bell alone beeps and opens an empty line", {}, {"\a"}, {""}, false, 1},
        {"bell with an open line changes nothing", {}, {"x", "\a"}, {"x"}, false, 1},
        {"tab to the next multiple of four", {}, {"x\ty\n"}, {"x   y"}, true},
        {"tab at column four and zero", {}, {"\tabcd\tz\n"}, {"    abcd    z"}, true},
        {"tab column counts from the line start", {}, {"ab\ncdefg\th\n"}, {"ab", "cdefg   h"}, true},
        {"carriage return overwrites and cuts", {}, {"abc\rX\n"}, {"X"}, true},
        {"carriage return then line feed loses the text", {}, {"abc\r\n"}, {""}, true},
        {"carriage return does not reach earlier chunks", {}, {"abc", "\rX\n"}, {"abcX"}, true},
        {"backspaces overwrite", {}, {"ab\b\bcd\n"}, {"cd"}, true},
        {"backspace at column zero", {}, {"\bq\n"}, {"q"}, true},
        {"backspace does not reach earlier chunks", {}, {"ab", "\bc\n"}, {"abc"}, true},
        {"vertical tab fills to a multiple of four",
         {"1", "2"}, {"ab\vcd\n"}, {"1", "2", "ab", "", "", "  cd"}, true},
        {"vertical tab with four lines adds four and an open line",
         {"1", "2", "3", "4"}, {"\v"}, {"1", "2", "3", "4", "", "", "", "", "", ""}, false},
        {"other control bytes are text", {}, {"\f\x1b[0m\n"}, {"\f\x1b[0m"}, true, 0, true},
        {"line after line feeds then bell", {}, {"a\n\a"}, {"a"}, true, 1},
        {"a chunk longer than the buffer step", {}, {std::string(600, 'z')}, {std::string(600, 'z')}, false, 0, true},
        {"many tabs grow the buffer", {}, {std::string(100, '\t') + "x\n"}, {std::string(400, ' ') + "x"}, true},
        // Columns are characters as the line shows them.
        {"a tab after é lands where it does after e",
         {}, {"\xc3\xa9\tx\ne\tx\n"}, {"\xc3\xa9   x", "e   x"}, true},
        {"a tab after a euro and an emoji",
         {}, {"\xe2\x82\xac\xf0\x9f\x98\x80\tx\n"}, {"\xe2\x82\xac\xf0\x9f\x98\x80  x"}, true},
        {"a tab in a line that is not UTF-8 counts bytes, as it shows in Latin-1",
         {}, {"\xc3\xa9\xff\tx\n"}, {"\xc3\xa9\xff x"}, true},
        {"a backspace removes a whole character",
         {}, {"caf\xc3\xa9\bs\n\xe2\x82\xac\xe2\x82\xac\b\b!\n\xf0\x9f\x98\x80\bx\n"}, {"cafs", "!", "x"}, true},
        {"a backspace in a line that is not UTF-8 removes a byte",
         {}, {"\xff\xc3\xa9\bx\n"}, {"\xff\xc3x"}, true},
        {"a vertical tab keeps the column in characters",
         {"1", "2"}, {"\xc3\xa9\xe2\x82\xac\vx\n"}, {"1", "2", "\xc3\xa9\xe2\x82\xac", "", "", "  x"}, true},
    };
    return cases;
}

void StoreBefore(Assembly& run, const Lines& before)
{
    for (const std::string& line : before)
        ASSERT_TRUE(run.store.AddLine(line.c_str()));
}

TEST(AddOutput, ControlCharactersAndOpenLines)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        Assembly run;
        StoreBefore(run, c.before);
        for (const std::string& chunk : c.chunks)
            EXPECT_EQ(run.Add(chunk), Result::Ok);
        EXPECT_EQ(LinesOf(run.store), c.expected);
        EXPECT_EQ(run.atLineStart, c.atLineStart ? TRUE : FALSE);
        EXPECT_EQ(run.sink.bells, c.bells);
    }
}

// Where the interpreter happens to cut its output must not matter for text
// and line feeds: every split of the text into two or three chunks stores the
// same lines.
TEST(AddOutput, EverySplitGivesTheSameLines)
{
    for (const Case& c : Cases()) {
        if (!c.splitInvariant)
            continue;
        SCOPED_TRACE(c.name);
        std::string whole;
        for (const std::string& chunk : c.chunks)
            whole += chunk;
        // Pieces are never empty: an empty chunk is output of its own (it opens
        // an empty line at line start).
        const std::size_t step = whole.size() > 40 ? 97 : 1;
        for (std::size_t i = 1; i < whole.size(); i += step) {
            for (std::size_t j = i + 1; j <= whole.size(); j += step) {
                Assembly run;
                run.Add(whole.substr(0, i));
                run.Add(whole.substr(i, j - i));
                if (j < whole.size())
                    run.Add(whole.substr(j));
                ASSERT_EQ(LinesOf(run.store), c.expected) << "split at " << i << " and " << j;
            }
        }
    }
}

// Random chunks with every control character, against the reference model;
// the store's own invariants hold throughout. A work buffer kept from chunk to
// chunk (a run) must not carry anything over, however long the chunk before.
TEST(AddOutput, RandomChunksMatchTheReferenceModel)
{
    std::mt19937 random(20240607);
    const std::string alphabet = "abcXYZ 01\a\b\t\n\n\n\v\r\f\x01\x0e\xc3\xa9\xe2\x82\xac\xf0\x9f";
    for (int round = 0; round < 40; ++round) {
        const bool keepBuffer = round % 2 == 1;
        Assembly run(keepBuffer);
        ReferenceOutput reference;
        for (int chunkIndex = 0; chunkIndex < 200; ++chunkIndex) {
            std::string chunk(random() % (chunkIndex % 50 == 0 ? 700 : 12), ' ');
            for (char& c : chunk)
                c = alphabet[random() % alphabet.size()];
            ASSERT_EQ(run.Add(chunk), Result::Ok);
            reference.Add(chunk);
        }
        ASSERT_EQ(LinesOf(run.store), reference.lines) << "round " << round << (keepBuffer ? ", buffer kept" : "");
        EXPECT_EQ(run.atLineStart != FALSE, reference.atLineStart);
        EXPECT_EQ(run.sink.bells, reference.bells);
        const COutputStore& store = run.store;
        for (int i = 0; i < store.m_nCount; ++i) {
            const char* line = store.m_pLines[i];
            EXPECT_TRUE(line == nullptr || *line != '\0') << "an empty line owns no block";
            const std::string text = store.GetLine(i);
            EXPECT_EQ(text.find_first_of("\a\b\t\n\v\r"), std::string::npos);
        }
        EXPECT_EQ(store.m_nLongest, static_cast<int>(reference.longest));
        EXPECT_LE(store.m_nCount, store.m_nCapacity);
        EXPECT_EQ(store.m_nCapacity % 1000, 0);
    }
}

TEST(AddOutput, FailuresKeepWhatWasStoredBefore)
{
    {
        SCOPED_TRACE("no work buffer: nothing stored");
        Assembly run;
        AllocationFailure failure(1);
        EXPECT_EQ(run.Add("a\nb\n"), Result::NoBuffer);
        EXPECT_EQ(run.store.m_nCount, 0);
        EXPECT_EQ(run.atLineStart, TRUE);
    }
    {
        SCOPED_TRACE("a line that cannot be stored ends the chunk");
        Assembly run;
        run.sink.failAt = 2;
        EXPECT_EQ(run.Add("one\ntwo\nthree\n"), Result::NoMemory);
        EXPECT_EQ(LinesOf(run.store), (Lines{"one"}));
        EXPECT_EQ(run.atLineStart, TRUE);
    }
    {
        SCOPED_TRACE("an open line that cannot be continued stays open");
        Assembly run;
        run.Add("open");
        run.sink.failAt = 1;
        EXPECT_EQ(run.Add("ed\nnext\n"), Result::NoMemory);
        EXPECT_EQ(LinesOf(run.store), (Lines{"open"}));
        EXPECT_EQ(run.atLineStart, FALSE);
    }
    {
        SCOPED_TRACE("an empty line that cannot be stored is reported");
        Assembly run;
        run.sink.failAt = 2;
        EXPECT_EQ(run.Add("a\n\nb\n"), Result::NoMemory);
        EXPECT_EQ(LinesOf(run.store), (Lines{"a"}));
    }
    {
        SCOPED_TRACE("the work buffer cannot grow for a tab");
        Assembly run;
        run.store.AddLine("kept");
        AllocationFailure failure(2);  // the buffer, then its growth
        EXPECT_EQ(run.Add(std::string(80, '\t') + "x\n"), Result::NoMemory);
        EXPECT_EQ(LinesOf(run.store), (Lines{"kept"}));
    }
}

}  // namespace
