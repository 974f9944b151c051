#pragma once
// The two places where the output layer meets the machine and can fail: heap
// blocks and file writes. Everything in output/ allocates and writes through
// these functions, so tests can make any one of them fail on purpose (CI runs
// as root, and memory cannot be exhausted on demand).
#include <cstddef>
#include <cstdio>

void* OutputMalloc(std::size_t bytes);
void* OutputRealloc(void* block, std::size_t bytes);
void OutputFree(void* block);

// Returns true when the allocation of `bytes` is to fail; nullptr: none fails.
using AllocationFault = bool (*)(std::size_t bytes);
void SetAllocationFault(AllocationFault fault);

// fwrite's contract: returns the number of bytes written.
using FileWriteFunction = std::size_t (*)(const void* data, std::size_t bytes, std::FILE* file);
void SetFileWriteFunction(FileWriteFunction write);  // nullptr: the real fwrite
std::size_t OutputFileWrite(const void* data, std::size_t bytes, std::FILE* file);
