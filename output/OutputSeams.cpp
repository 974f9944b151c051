#include "output/OutputSeams.h"

#include <cstdlib>

namespace {
AllocationFault g_fault = nullptr;
FileWriteFunction g_write = nullptr;
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

void SetFileWriteFunction(FileWriteFunction write)
{
    g_write = write;
}

std::size_t OutputFileWrite(const void* data, std::size_t bytes, std::FILE* file)
{
    if (g_write)
        return g_write(data, bytes, file);
    return std::fwrite(data, 1, bytes, file);
}
