#pragma once
// The services the interpreter library calls back while it runs, found by name
// through LookupService, and the receiver of the preprocessor listing. They act
// on the host of the run in progress (IRunHost); outside a run they do nothing
// and answer 0 (or null).
#include "tavo/tavo_abi.h"

extern "C" {
// The service of that exact name (case counts): "OutputResult", "IsBreak",
// "GetNumberOfDLLs", "GetDLLName"; null for any other name.
void* LookupService(const char* name);
// Hands the text unchanged to the host (the output window); 1 stored, 0 failed.
int OutputResult(const char* text);
// The host's answer (the environment's message pump): 1 stops the run.
int IsBreak(void);
int GetNumberOfDLLs(void);
// The name at `index` in a static 260-byte buffer that the next call overwrites;
// null when `index` is out of range.
const char* GetDLLName(int index);
// The listing of a preprocess-only run, to the host (the environment puts it
// into an editor window or a file). The result carries no meaning.
int ReceivePreprocText(const char* text);
}
