#pragma once
// What the process does when it crashes. The interpreter library runs inside
// this process; a fault in it (or anywhere) must not pass silently: one line
// goes to stderr saying that the unsaved models can be recovered at the next
// start, and the process ends with the signal's default action. Nothing tries
// to continue after such a signal. The handler uses async-signal-safe calls
// only and runs on a stack of its own, so a stack overflow reaches it too.

// Installs the handler for SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT.
// `duringRun` is written while a run is in progress, `otherwise` at other
// times; both must live as long as the process (string-table texts do).
void InstallCrashSignalHandlers(const char* duringRun, const char* otherwise);

// Marks whether the interpreter library is running now.
void SetRunInProgress(bool running);
