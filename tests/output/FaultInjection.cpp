#include "FaultInjection.h"

#include "output/OutputSeams.h"

namespace {
int g_allocations = 0;
int g_allocationFailAt = 0;
bool g_sticky = false;

bool FailAllocation(std::size_t)
{
    ++g_allocations;
    return g_allocations == g_allocationFailAt || (g_sticky && g_allocations > g_allocationFailAt);
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
