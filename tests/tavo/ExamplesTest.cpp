// The example models behave as their comments promise a newcomer.
#include "TavoHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tavotest {
namespace {

const std::string kExamples = NUV_EXAMPLES_DIR;

std::string ReadExample(const std::string &name)
{
    std::ifstream in(kExamples + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ExamplesTest, EachExampleEndsAsItsCommentSays)
{
    const struct {
        const char *file;
        bool rangeCheck;
        int breakOnCall;
        int kind;
        int errorLine;        // for kind 1: the line the error line names
        const char *contains; // part of the output
    } cases[] = {
        {"hello.nuv", true, 0, TAVO_OUTCOME_FINISHED, 0, "Multiples of 7 below 100: 15\n"},
        {"hello.nuv", true, 0, TAVO_OUTCOME_FINISHED, 0, "3\t9\t27\n"},
        {"errors.nuv", true, 0, TAVO_OUTCOME_ERRORS, 20, "about to divide 60 by 0\n"},
        {"include_demo.nuv", true, 0, TAVO_OUTCOME_FINISHED, 0, "  side 4: square 16, cube 64\n"},
        {"arrays.nuv", true, 0, TAVO_OUTCOME_ERRORS, 22, " 0 1 1 2 3 5 8 13 21 34\n"},
        {"arrays.nuv", false, 0, TAVO_OUTCOME_FINISHED, 0, "fib[10] is 0\n"},
        {"long_run.nuv", true, 2, TAVO_OUTCOME_STOPPED, 0, "Running for 45 seconds"},
        {"many_lines.nuv", true, 3, TAVO_OUTCOME_STOPPED, 0, "line 1\nline 2\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        Apply({.rangeCheck = c.rangeCheck});
        FakeEnvironment env;
        env.breakOnCall = c.breakOnCall;
        const std::string path = kExamples + "/" + c.file;
        const Outcome outcome = RunModel(path, env);
        EXPECT_EQ(outcome.Kind(), c.kind) << outcome.output;
        EXPECT_NE(outcome.output.find(c.contains), std::string::npos) << outcome.output;
        if (c.kind == TAVO_OUTCOME_ERRORS) {
            EXPECT_NE(outcome.output.find("\n" + path + "(" + std::to_string(c.errorLine) + "): "), std::string::npos)
                << outcome.output;
        }
    }
}

TEST(ExamplesTest, WithItsFirstErrorCommentedOutErrorsStopsInTheIncludedFile)
{
    Apply({});
    ModelDir dir;
    std::string model = ReadExample("errors.nuv");
    const std::string faulty = "print \"60 / divisor = \"";
    ASSERT_NE(model.find(faulty), std::string::npos);
    model.insert(model.find(faulty), "// ");
    const std::string path = dir.Write("errors.nuv", model);
    dir.Write("bad_table.inc", ReadExample("bad_table.inc"));
    const Outcome outcome = RunModel(path);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_ERRORS);
    EXPECT_NE(outcome.output.find("\n" + dir.Path() + "/bad_table.inc(9): "), std::string::npos) << outcome.output;
}

} // namespace
} // namespace tavotest
