#include "output/OutputSeams.h"

#include <cstdlib>

namespace {
AllocationFault g_fault = nullptr;
}  // namespace

void* OutputMalloc(std::size_t bytes)
{
    if (g_fault && g_fault(bytes))
        return nullptr;
    return std::malloc(bytes);
}

void* OutputRealloc(void* block, std::size_t bytes)
{
    if (g_fault && g_fault(bytes))
        return nullptr;
    return std::realloc(block, bytes);
}

void OutputFree(void* block)
{
    std::free(block);
}

void SetAllocationFault(AllocationFault fault)
{
    g_fault = fault;
}
