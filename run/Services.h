#pragma once
// The services the interpreter library calls back while it runs, found by name
// through LookupService, and the receiver of the preprocessor listing. They act
// on the run in progress (CRunContext); outside a run they do nothing and
// answer 0 (or null).
#include "tavo/tavo_abi.h"

extern "C" {
// The service of that exact name (case counts): "OutputResult", "IsBreak",
// "GetNumberOfDLLs", "GetDLLName"; null for any other name.
void* LookupService(const char* name);
// Hands the text unchanged to the output window; 1 stored, 0 failed.
int OutputResult(const char* text);
// The run's message pump (CRunPump::IsBreak): 1 stops the run.
int IsBreak(void);
int GetNumberOfDLLs(void);
// The name at `index` in a static 260-byte buffer that the next call overwrites;
// null when `index` is out of range.
const char* GetDLLName(int index);
// The listing of a preprocess-only run: into an editor window, or into a file
// when the output goes to a file. The result carries no meaning.
int ReceivePreprocText(const char* text);
}
