// The budget a fuzzer gives a run, and polling of IsBreak in proportion to the work done: an
// endless or enormous model ends when its budget is spent, and Terminate is asked about between
// statements however much one statement does.
#include "TavoHarness.h"

#include <gtest/gtest.h>

#include "Interpreter.h"

namespace tavotest {
namespace {

class BudgetTest : public ::testing::Test {
protected:
    void SetUp() override { Apply({}); }
    ModelDir dir;
};

std::string Sum(int terms)
{
    std::string sum = "1";
    for (int i = 1; i < terms; ++i)
        sum += " + 1";
    return sum;
}

TEST_F(BudgetTest, ABudgetStopsAnEndlessModelLikeTerminateWhileIsBreakIsStillAsked)
{
    tavo::RunBudget budget;
    budget.work = 100 * tavo::kPollInterval;
    FakeEnvironment env;
    const Outcome outcome = RunWithBudget(dir.Write("endless.nuv", "print \"go\";\nwhile (1) { x = 1; }"), budget, env);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_STOPPED);
    EXPECT_EQ(outcome.output, "go");
    EXPECT_EQ(env.isBreakCalls, 99) << "every poll before the one that spends the budget asks IsBreak";

    FakeEnvironment stopped;
    stopped.breakOnCall = 5;
    EXPECT_EQ(RunWithBudget(dir.Write("endless.nuv", "while (1);"), budget, stopped).Kind(), TAVO_OUTCOME_STOPPED);
    EXPECT_EQ(stopped.isBreakCalls, 5) << "IsBreak still stops the run before its budget";
}

TEST_F(BudgetTest, EachLimitOfTheBudgetEndsTheRunWithAnErrorLine)
{
    dir.Write("part.inc", std::string(400, ' ') + "\n");
    struct {
        const char *name;
        std::string model;
        tavo::RunBudget budget;
        const char *phrase;
    } const cases[] = {
        {"source bytes", "#include \"part.inc\"\n#include \"part.inc\"\n#include \"part.inc\"\n",
         {.sourceBytes = 1000}, "exceeds 1000 bytes"},
        {"program parts", "x = 1;\ny = " + Sum(60) + ";", {.programParts = 50},
         "more than 50 statements, operators and operands"},
        {"statements count as parts", std::string(51, ';'), {.programParts = 50}, "too large"},
        {"array elements", "array a[60];\narray b[41];", {.arrayElements = 100}, "at most 100 numbers"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeEnvironment env;
        const Outcome outcome = RunWithBudget(dir.Write("limits.nuv", c.model), c.budget, env);
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_ERRORS);
        EXPECT_NE(outcome.output.find(c.phrase), std::string::npos) << outcome.output;
        EXPECT_EQ(outcome.output.rfind(dir.Path(), 0), 0u) << "an error line naming the model";
    }
}

TEST_F(BudgetTest, WithoutSleepingASleepOnlyPolls)
{
    tavo::RunBudget budget;
    budget.sleeps = false;
    FakeEnvironment env;
    const Outcome outcome = RunWithBudget(dir.Write("sleepy.nuv", "print 1;\nsleep 1000000;\nprint 2;"), budget, env);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(env.chunks, (std::vector<std::string>{"1", "2"})) << "output before the sleep is handed over";
    EXPECT_EQ(env.isBreakCalls, 1);
}

// A statement evaluating 1799 operators and operands, clearing a million array elements or
// printing 64 KB is more than a poll interval of work: IsBreak is asked after each such
// statement, so Terminate does not wait for 1024 of them.
TEST_F(BudgetTest, IsBreakIsPolledInProportionToTheWorkOfEachStatement)
{
    struct {
        const char *name;
        std::string model;
        int minimumPolls;
    } const cases[] = {
        {"long expressions", "for (i = 0; i < 100; i++) x = " + Sum(900) + ";", 100},
        {"large arrays", "for (i = 0; i < 20; i++) array a[1048576];", 20},
        {"long strings", "for (i = 0; i < 100; i++) print \"" + std::string(65536, 's') + "\";", 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeEnvironment env;
        EXPECT_EQ(RunModel(dir.Write("work.nuv", c.model), env).Kind(), TAVO_OUTCOME_FINISHED);
        EXPECT_GE(env.isBreakCalls, c.minimumPolls);
    }
}

} // namespace
} // namespace tavotest
