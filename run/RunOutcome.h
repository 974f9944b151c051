#pragma once
// What parser_main's result means: its low 16 bits are the outcome kind, the
// high bits are not looked at.
#include <string>

#include "platform/Win32Types.h"

inline constexpr DWORD kOutcomeErrors = 1;    // error lines were printed; Go to error
inline constexpr DWORD kOutcomeStopped = 2;   // IsBreak answered 1
inline constexpr DWORD kOutcomeFinished = 3;  // the model finished
inline constexpr DWORD kOutcomeFatal = 4;     // the run could not take place

DWORD OutcomeKind(DWORD outcome);

// A timed run ends its output with the execution-time line, except after
// errors: the error line stays the last line, where Go to error finds it.
bool PrintsExecutionTime(DWORD outcome);
// That line (entry 191, ending in a line feed) for the time the clock shows.
std::string ExecutionTimeLine(int hours, int minutes, int seconds);
