// Faulty models: every fault ends the run with kind 1 and one error line naming the file and
// line, the form the environment's Go to error reads; hostile input never crashes the library.
#include "TavoHarness.h"

#include <gtest/gtest.h>

namespace tavotest {
namespace {

class ErrorTest : public ::testing::Test {
protected:
    void SetUp() override { Apply({}); }
    ModelDir dir;
};

struct Case {
    const char *name;
    std::string model;
    int line;           // line the error line must name
    const char *phrase; // part of the message
    const char *before; // what the model printed before the error
};

std::string Repeat(const std::string &s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST_F(ErrorTest, FaultsAreReportedAsFileLineAndMessage)
{
    const Case cases[] = {
        // found before anything runs
        {"missing semicolon", "print 1;\nx = 2\nprint x;", 3, "expected ';'", ""},
        {"string not closed", "print 1;\nprint \"abc;\n", 2, "string not closed", ""},
        {"unknown escape", "print \"\\q\";", 1, "unknown escape", ""},
        {"zero character", "\n\nprint \"a\\0b\";", 3, "character 0", ""},
        {"number too large", "x = 9223372036854775808;", 1, "larger than", ""},
        {"malformed number", "x = 12ab;", 1, "malformed number", ""},
        {"stray character", "x = 1;\n\nx = $;", 3, "unexpected character '$'", ""},
        {"break outside a loop", "print 1;\nbreak;", 2, "outside a loop", ""},
        {"else without if", "else print 1;", 1, "'else' without 'if'", ""},
        {"block not closed", "while (1) {\n print 1;\n\n", 3, "expected '}'", ""},
        {"comment not closed", "print 1;\n/* open\n\n", 2, "comment not closed", ""},
        {"string in arithmetic", "x = \"a\" + 1;", 1, "only be printed", ""},
        {"unknown directive", "print 1;\n  #define X 1\n", 2, "unknown directive '#define'", ""},
        {"deep parentheses", "x = " + Repeat("(", 2000) + "1;", 1, "nesting deeper", ""},
        {"deep blocks", Repeat("{", 2000), 1, "nesting deeper", ""},
        {"long unary chain", "x = " + Repeat("- !", 1000) + "1;", 1, "nesting deeper", ""},
        {"long else-if chain", "x = 1;\n" + Repeat("if (x) x = 1; else ", 1000) + "x = 2;", 2, "nesting deeper", ""},
        {"long operator chain", "x = 1" + Repeat(" + 1", 3000) + ";", 1, "too long", ""},
        {"binary garbage", std::string("\x01\xff\x7f", 3), 1, "unexpected character", ""},
        // found while running, after earlier output
        {"division by zero", "print \"a\\n\";\nx = 0;\nprint 10 / x;", 3, "division by zero", "a\n"},
        {"remainder by zero", "x = 5 % (2 - 2);", 1, "division by zero", ""},
        {"undefined variable", "print \"open\";\ny = x + 1;", 2, "undefined variable 'x'", "open\n"},
        {"compound on undefined", "x += 1;", 1, "undefined variable 'x'", ""},
        {"index out of range", "array a[3];\na[3] = 1;", 2, "out of range", ""},
        {"negative index", "array a[3];\nprint a[-1];", 2, "out of range", ""},
        {"array never declared", "print b[0];", 1, "undefined array 'b'", ""},
        {"array size zero", "n = 0;\narray a[n];", 2, "size of array 'a'", ""},
        {"array too large", "array a[1000000000000];", 1, "size of array 'a'", ""},
        {"variable used as array", "v = 1;\nprint v[0];", 2, "not an array", ""},
        {"array used as variable", "array a[2];\nprint a + 1;", 2, "is an array", ""},
        {"array assigned as a whole", "array a[2];\na = 1;", 2, "is an array", ""},
        {"variable declared as array", "v = 1;\narray v[2];", 2, "already a variable", ""},
        {"size of a variable", "v = 1;\nprint size(v);", 2, "needs an array", ""},
        {"error inside a loop", "for (i = 0; i < 5; i++) {\n  print i;\n  if (i == 3) print 1 / 0;\n}", 3,
         "division by zero", "0123\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string model = dir.Write("faulty.nuv", c.model);
        const Outcome outcome = RunModel(model);
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_ERRORS);
        const std::string prefix = std::string(c.before) + model + "(" + std::to_string(c.line) + "): ";
        EXPECT_EQ(outcome.output.rfind(prefix, 0), 0u) << outcome.output;
        EXPECT_NE(outcome.output.find(c.phrase, prefix.size()), std::string::npos) << outcome.output;
        EXPECT_EQ(outcome.output.back(), '\n');
        EXPECT_EQ(outcome.output.find('\n', prefix.size()), outcome.output.size() - 1) << "one error line";
    }
}

TEST_F(ErrorTest, ModelsThatCannotRunEndWithKindFour)
{
    const std::string model = dir.Write("fine.nuv", "print 1;");
    struct {
        const char *name;
        std::string path;
        bool offerOutput, offerIsBreak;
        int outputAnswer;
        const char *phrase; // part of what is printed; null: nothing may be printed
    } const cases[] = {
        {"missing model file", dir.Path() + "/none.nuv", true, true, 1, "none.nuv"},
        {"directory as model", dir.Path(), true, true, 1, "directory"},
        {"empty path", "", true, true, 1, "no model"},
        {"no OutputResult", model, false, true, 1, nullptr},
        {"no IsBreak", model, true, false, 1, "IsBreak"},
        {"output refused", model, true, true, 0, "1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeEnvironment env;
        env.offerOutput = c.offerOutput;
        env.offerIsBreak = c.offerIsBreak;
        env.outputAnswer = c.outputAnswer;
        const Outcome outcome = RunModel(c.path, env);
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FATAL);
        if (c.phrase) {
            EXPECT_NE(outcome.output.find(c.phrase), std::string::npos) << outcome.output;
        } else {
            EXPECT_EQ(outcome.output, "");
        }
    }
    EXPECT_EQ(parser_main(model.c_str(), nullptr) & 0xFFFF, static_cast<uint32_t>(TAVO_OUTCOME_FATAL));
    EXPECT_EQ(RunModel(model).Kind(), TAVO_OUTCOME_FINISHED) << "a good run after the failures";
}

TEST_F(ErrorTest, OutputOpenAtTheErrorIsEndedSoTheErrorLineStandsAlone)
{
    for (int limit : {0, 20}) {
        Apply({.updateLimit = limit});
        const std::string model = dir.Write("open.nuv", "print \"partial\";\nprint 1 % 0;");
        const Outcome outcome = RunModel(model);
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_ERRORS);
        EXPECT_EQ(outcome.output.rfind("partial\n" + model + "(2): ", 0), 0u) << outcome.output;
    }
}

} // namespace
} // namespace tavotest
