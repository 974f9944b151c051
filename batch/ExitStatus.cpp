#include "batch/ExitStatus.h"

#include "run/RunOutcome.h"

const ExitStatusText kExitStatusTexts[11] = {
    {kExitFinished, "the model finished (outcome kind 3)"},
    {kExitErrors, "the model has errors; their lines are in the output (kind 1)"},
    {kExitStopped, "the run was stopped by SIGINT or SIGTERM (kind 2)"},
    {kExitNotRun, "the library could not run the model (kind 4)"},
    {kExitOtherOutcome, "the library returned an outcome of another kind"},
    {kExitUsage, "bad usage"},
    {kExitModelUnreadable, "the model cannot be opened (missing, a directory, a FIFO, unreadable)"},
    {kExitNoLibrary, "the interpreter library cannot be loaded"},
    {kExitLibraryUnusable, "an entry point of the interpreter library is missing"},
    {kExitOutputUnwritable, "the output cannot be written (nothing is left under its name)"},
    {kExitLibraryBusy, "the interpreter library is busy in another program (see --wait)"},
};

ExitStatus StatusForOutcome(unsigned outcome)
{
    switch (OutcomeKind(outcome)) {
    case kOutcomeFinished: return kExitFinished;
    case kOutcomeErrors: return kExitErrors;
    case kOutcomeStopped: return kExitStopped;
    case kOutcomeFatal: return kExitNotRun;
    default: return kExitOtherOutcome;
    }
}
