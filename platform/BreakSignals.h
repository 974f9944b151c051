#pragma once
// How a headless run meets SIGINT and SIGTERM (Ctrl+C, a scheduler's cancel):
// the first one only sets a flag that the run's IsBreak answers from, so the
// model stops by its normal path and what it printed is kept. A second one,
// or a model still running `graceSeconds` after the first (one that never asks
// IsBreak), ends the process with that signal's default action.
//
// Whenever the process ends by a signal (those, or a crash in the
// interpreter library), the file named by SetAbandonedFile is removed first: a
// temporary output file that nobody would rename. All handlers use
// async-signal-safe calls only; the crash handler runs on a stack of its own.
namespace BreakSignals {
void Install(unsigned graceSeconds);
// A break was asked for: the number of its first signal, else 0.
int Requested();
// The run has returned: no grace timer any more. A second signal still ends
// the process.
void Disarm();
// `path` (nullptr: none) must stay valid while it is set.
void SetAbandonedFile(const char* path);
}  // namespace BreakSignals
