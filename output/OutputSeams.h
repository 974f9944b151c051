#pragma once
// Where the output layer meets the machine's memory and can fail: everything
// in output/ allocates through these functions, so tests can make any one
// allocation fail on purpose (memory cannot be exhausted on demand). Files are
// written by SafeFile, whose writes fail through platform/FileWriter.h.
#include <cstddef>

void* OutputMalloc(std::size_t bytes);
void* OutputRealloc(void* block, std::size_t bytes);
void OutputFree(void* block);

// Returns true when the allocation of `bytes` is to fail; nullptr: none fails.
using AllocationFault = bool (*)(std::size_t bytes);
void SetAllocationFault(AllocationFault fault);
