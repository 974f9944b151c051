// Models a modeller may write by mistake, at sizes and depths far beyond any real model: each
// ends with one error line naming the file and line, never with a crash or a stack overflow;
// and huge models within the limits still run. Faults found by fuzzing the library are here too.
#include "TavoHarness.h"

#include <gtest/gtest.h>

namespace tavotest {
namespace {

class HostileModelTest : public ::testing::Test {
protected:
    void SetUp() override { Apply({}); }
    ModelDir dir;
};

std::string Repeat(const std::string &s, int n)
{
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// Expression of `depth` levels of parentheses, balanced: 2^depth ones added up.
std::string Balanced(int depth)
{
    return depth == 0 ? "1" : "(" + Balanced(depth - 1) + "+" + Balanced(depth - 1) + ")";
}

struct File {
    std::string name, text;
};

struct Case {
    const char *name;
    std::string model;
    const char *where; // the file the error line names
    int line;
    const char *phrase;
    std::vector<File> files = {};
};

TEST_F(HostileModelTest, DeepOrHugeModelsEndWithAnErrorLine)
{
    std::vector<File> chain; // c0.inc includes c1.inc ... 40 deep
    for (int i = 0; i < 40; ++i)
        chain.push_back({"c" + std::to_string(i) + ".inc", "#include \"c" + std::to_string(i + 1) + ".inc\"\n"});
    const Case cases[] = {
        {"ten thousand parentheses", "x = " + Repeat("(", 10000) + "1" + Repeat(")", 10000) + ";", "m.nuv", 1,
         "nesting deeper than 256"},
        {"ten thousand parentheses never closed", "print 1;\nx = " + Repeat("(", 10000), "m.nuv", 2, "nesting deeper"},
        {"ten thousand nested blocks", Repeat("{\n", 10000), "m.nuv", 257, "nesting deeper"},
        {"ten thousand nested ifs", Repeat("if (1) ", 10000) + "x = 1;", "m.nuv", 1, "nesting deeper"},
        {"ten thousand nested whiles", Repeat("while (1) ", 10000) + ";", "m.nuv", 1, "nesting deeper"},
        {"ten thousand nested indexes", "array a[1];\nx = " + Repeat("a[", 10000) + "0" + Repeat("]", 10000) + ";",
         "m.nuv", 2, "nesting deeper"},
        {"ten thousand minus signs", "x = " + Repeat("- ", 10000) + "1;", "m.nuv", 1, "nesting deeper"},
        {"ten thousand else-ifs", "x = 1;\n" + Repeat("if (x) x = 1; else\n", 10000) + "x = 2;", "m.nuv", 256,
         "nesting deeper"},
        {"an expression a megabyte long", "x = 1" + Repeat(" + 1", 262144) + ";", "m.nuv", 1, "expression too long"},
        {"a product a megabyte long", "print 2" + Repeat("*2", 524288) + ";", "m.nuv", 1, "expression too long"},
        {"a print list of 32768 items with a fault at its end", "print 1" + Repeat(",1", 32767) + ",;", "m.nuv", 1,
         "expected a number"},
        {"include recursion through two files", "#include \"a.inc\"", "b.inc", 1, "includes itself",
         {{"a.inc", "print 1;\n#include \"b.inc\""}, {"b.inc", "#include \"a.inc\""}}},
        {"includes forty deep", "#include \"c0.inc\"", "c31.inc", 1, "nested more than 32 deep", chain},
        {"the first fault in the text wins over a later lexical one", "x = 1 +;\n$", "m.nuv", 1, "expected a number"},
        {"a data file included by mistake", "x = 1;\n#include \"data.csv\"", "data.csv", 1, "expected a statement",
         {{"data.csv", Repeat("1,2,3,4,5,6,7,8\n", 100000)}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const File &file : c.files)
            dir.Write(file.name, file.text);
        const Outcome outcome = RunModel(dir.Write("m.nuv", c.model));
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_ERRORS) << c.name;
        const std::string prefix = dir.Path() + "/" + c.where + "(" + std::to_string(c.line) + "): ";
        EXPECT_EQ(outcome.output.rfind(prefix, 0), 0u) << outcome.output.substr(0, 300);
        EXPECT_NE(outcome.output.find(c.phrase), std::string::npos) << outcome.output.substr(0, 300);
        EXPECT_EQ(outcome.output.find('\n'), outcome.output.size() - 1) << "one error line";
    }
}

TEST_F(HostileModelTest, HugeModelsWithinTheLimitsRun)
{
    std::vector<File> chain; // c0.inc includes c1.inc ... 31 deep, the last prints
    for (int i = 0; i < 31; ++i)
        chain.push_back({"c" + std::to_string(i) + ".inc", "#include \"c" + std::to_string(i + 1) + ".inc\"\n"});
    chain.push_back({"c31.inc", "print \"deep\";"});
    const Case cases[] = {
        {"a balanced expression of 16384 operands", "print " + Balanced(14) + ";", "", 0, "16384"},
        {"250 parentheses", "print " + Repeat("(", 250) + "7" + Repeat(")", 250) + ";", "", 0, "7"},
        {"250 nested blocks", Repeat("{", 250) + "print 8;" + Repeat("}", 250), "", 0, "8"},
        {"a chain of 999 operators", "print 0" + Repeat(" + 1", 999) + ";", "", 0, "999"},
        {"includes 32 deep", "#include \"c0.inc\"", "", 0, "deep", chain},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const File &file : c.files)
            dir.Write(file.name, file.text);
        const Outcome outcome = RunModel(dir.Write("m.nuv", c.model));
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED) << outcome.output.substr(0, 300);
        EXPECT_EQ(outcome.output, c.phrase);
    }
}

} // namespace
} // namespace tavotest
