#include "FaultInjection.h"

#include <cstdio>

#include "output/OutputSeams.h"

namespace {
int g_allocations = 0;
int g_allocationFailAt = 0;
bool g_sticky = false;
int g_writes = 0;
int g_writeFailAt = 0;

bool FailAllocation(std::size_t)
{
    ++g_allocations;
    return g_allocations == g_allocationFailAt || (g_sticky && g_allocations > g_allocationFailAt);
}

std::size_t FailingWrite(const void* data, std::size_t bytes, std::FILE* file)
{
    if (++g_writes >= g_writeFailAt)
        return 0;
    return std::fwrite(data, 1, bytes, file);
}
}  // namespace

AllocationFailure::AllocationFailure(int failAt, bool sticky)
{
    g_allocations = 0;
    g_allocationFailAt = failAt;
    g_sticky = sticky;
    SetAllocationFault(FailAllocation);
}

AllocationFailure::~AllocationFailure()
{
    SetAllocationFault(nullptr);
}

int AllocationFailure::Seen()
{
    return g_allocations;
}

WriteFailure::WriteFailure(int failAt)
{
    g_writes = 0;
    g_writeFailAt = failAt;
    SetFileWriteFunction(FailingWrite);
}

WriteFailure::~WriteFailure()
{
    SetFileWriteFunction(nullptr);
}
