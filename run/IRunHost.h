#pragma once
// What the services ask of the program that runs the model: its host. The
// environment's host is the run context over the output window and the run's
// pump; the headless runner's host writes the output to standard output or a
// file. One host is current from just before the interpreter starts until the
// run has ended; the services reach it through CurrentRunHost. Both hosts hand
// the interpreter the additional DLL names of theDllList (DllList.h).
class IRunHost {
public:
    virtual ~IRunHost() = default;
    // A chunk of interpreter output; 1 stored, 0 failed (the run then ends).
    virtual int OutputResult(const char* text) = 0;
    // 1 stops the run, 0 lets it go on.
    virtual int IsBreak() = 0;
    // The listing of a preprocess-only run; the result carries no meaning.
    virtual int ReceivePreprocText(const char* text) = 0;
};

// The host of the run in progress; nullptr outside a run.
IRunHost* CurrentRunHost();
// Makes `host` current (nullptr: none) and returns the host it replaces.
IRunHost* SetCurrentRunHost(IRunHost* host);
