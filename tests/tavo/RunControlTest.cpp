// Stopping a run through IsBreak, which the library must poll whatever the model does.
#include "TavoHarness.h"

#include <gtest/gtest.h>

namespace tavotest {
namespace {

class RunControlTest : public ::testing::Test {
protected:
    void SetUp() override { Apply({.updateLimit = 0}); }
    ModelDir dir;
};

TEST_F(RunControlTest, IsBreakAnsweringOneStopsEveryKindOfEndlessModel)
{
    const struct {
        const char *name;
        const char *model;
    } cases[] = {
        {"empty while body", "print \"go\";\nwhile (1) {}"},
        {"empty statement as body", "print \"go\";\nwhile (1);"},
        {"for without parts", "print \"go\";\nfor (;;) {}"},
        {"continue only", "print \"go\";\nwhile (1) { continue; }"},
        {"arithmetic loop", "print \"go\";\ni = 0; while (1) { i = i * 3 + 1; }"},
        {"endless sleep", "print \"go\";\nsleep 9223372036854775807;"},
        {"sleeping in a loop", "print \"go\";\nwhile (1) sleep 1000;"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeEnvironment env;
        env.breakOnCall = 3;
        const Outcome outcome = RunModel(dir.Write("endless.nuv", c.model), env);
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_STOPPED);
        EXPECT_EQ(env.isBreakCalls, 3) << "the run ends at the first 1";
        EXPECT_EQ(outcome.output, "go");
    }
}

TEST_F(RunControlTest, IsBreakIsPolledRegularlyDuringLongComputations)
{
    FakeEnvironment env;
    const Outcome outcome = RunModel(dir.Write("count.nuv", "n = 0; for (i = 0; i < 200000; i++) n += i; print n;"), env);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(outcome.output, "19999900000");
    // 600,000 statements and loop turns: a poll at least every 2,000 of them.
    EXPECT_GE(env.isBreakCalls, 300);
}

TEST_F(RunControlTest, OutputCollectedBeforeTheStopIsDelivered)
{
    Apply({.updateLimit = 20});
    FakeEnvironment env;
    env.breakOnCall = 1;
    const Outcome outcome = RunModel(dir.Write("m.nuv", "i = 0; while (1) { if (i < 3) print i; i++; }"), env);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_STOPPED);
    EXPECT_EQ(env.chunks, std::vector<std::string>{"012"});
}

TEST_F(RunControlTest, ARunStartedFromInsideARunIsRefused)
{
    const std::string model = dir.Write("m.nuv", "print 1;");
    FakeEnvironment env;
    uint32_t nested = 0;
    env.onOutput = [&] {
        if (!nested)
            nested = parser_main(model.c_str(), &LookupService);
    };
    EXPECT_EQ(RunModel(model, env).Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(nested, static_cast<uint32_t>(TAVO_OUTCOME_FATAL));
    EXPECT_EQ(env.chunks, std::vector<std::string>{"1"});
}

} // namespace
} // namespace tavotest
