#pragma once
// nuv-run's exit statuses: one for each outcome kind of the run, one for each
// reason it could not start or finish. --help and the README list them.
enum ExitStatus : int {
    kExitFinished = 0,          // outcome kind 3: the model finished
    kExitErrors = 1,            // kind 1: syntax, preprocessor or run-time errors
    kExitStopped = 2,           // kind 2: stopped (SIGINT or SIGTERM)
    kExitNotRun = 3,            // kind 4: the library could not run the model
    kExitOtherOutcome = 4,      // any other outcome
    kExitUsage = 64,            // bad usage
    kExitModelUnreadable = 66,  // the model cannot be opened
    kExitNoLibrary = 69,        // the interpreter library cannot be loaded
    kExitLibraryUnusable = 70,  // an entry point of the library is missing
    kExitOutputUnwritable = 73, // the output cannot be written
    kExitLibraryBusy = 75,      // the library is busy in another program
};

struct ExitStatusText {
    ExitStatus status;
    const char* meaning;
};

// Every status with its meaning, in the order above.
extern const ExitStatusText kExitStatusTexts[11];

// The status for parser_main's result.
ExitStatus StatusForOutcome(unsigned outcome);
