// IsBusy across processes: a run in another process makes the library busy, and a process that
// dies in the middle of a run does not leave it busy.
#include "TavoHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tavotest {
namespace {

bool WaitForBusy(int wanted)
{
    for (int i = 0; i < 2000; ++i) {
        if (IsBusy() == wanted)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(BusyTest, ARunInAnotherProcessMakesTheLibraryBusyUntilThatProcessEnds)
{
    Apply({});
    ModelDir dir;
    const std::string sleeper = dir.Write("sleeper.nuv", "sleep 9223372036854775807;");
    const std::string model = dir.Write("model.nuv", "print 1;");
    EXPECT_EQ(IsBusy(), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FakeEnvironment env;
        RunModel(sleeper, env); // never returns: IsBreak always answers 0
        ::_exit(0);
    }
    EXPECT_TRUE(WaitForBusy(1));
    // A run here now is refused as well.
    const Outcome refused = RunModel(model);
    EXPECT_EQ(refused.Kind(), TAVO_OUTCOME_FATAL);
    EXPECT_NE(refused.output.find("another process"), std::string::npos) << refused.output;

    ::kill(child, SIGKILL); // dies without ending its run
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(WaitForBusy(0));
    EXPECT_EQ(RunModel(model).Kind(), TAVO_OUTCOME_FINISHED);
}

TEST(BusyTest, BusyDuringOwnRunAndFreeAfterIt)
{
    Apply({});
    ModelDir dir;
    FakeEnvironment env;
    int busyInside = -1;
    env.onOutput = [&] { busyInside = IsBusy(); };
    EXPECT_EQ(RunModel(dir.Write("m.nuv", "print 1;"), env).Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(busyInside, 1);
    EXPECT_EQ(IsBusy(), 0);
}

} // namespace
} // namespace tavotest
