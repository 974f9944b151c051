#include "run/RunOutcome.h"

#include "res/StringTable.h"
#include "shell/MessageFormat.h"

DWORD OutcomeKind(DWORD outcome)
{
    return outcome & 0xFFFFu;
}

bool PrintsExecutionTime(DWORD outcome)
{
    return OutcomeKind(outcome) != kOutcomeErrors;
}

std::string ExecutionTimeLine(int hours, int minutes, int seconds)
{
    return FormatBounded(LoadStringEntry(IDS_EXECUTION_TIME), {hours, minutes, seconds});
}
