#include "platform/SystemMemory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <sys/resource.h>

namespace {

constexpr std::uint64_t kUnknown = UINT64_MAX;
std::uint64_t g_forTests = kUnknown;

// A "Name:   1234 kB" field of a /proc file, in bytes; kUnknown when absent.
std::uint64_t ProcField(const char* file, const char* name)
{
    std::FILE* in = std::fopen(file, "re");
    if (!in)
        return kUnknown;
    char line[256];
    std::uint64_t bytes = kUnknown;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, in)) {
        unsigned long long kib = 0;
        if (std::strncmp(line, name, length) == 0 && std::sscanf(line + length, " %llu", &kib) == 1) {
            bytes = static_cast<std::uint64_t>(kib) * 1024;
            break;
        }
    }
    std::fclose(in);
    return bytes;
}

// What an address-space limit leaves of itself; kUnknown without a limit.
std::uint64_t AddressSpaceLeft()
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kUnknown;
    const std::uint64_t used = ProcField("/proc/self/status", "VmSize:");
    if (used == kUnknown)
        return kUnknown;
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

}  // namespace

std::uint64_t AvailableMemory()
{
    if (g_forTests != kUnknown)
        return g_forTests;
    return std::min(ProcField("/proc/meminfo", "MemAvailable:"), AddressSpaceLeft());
}

void SetAvailableMemoryForTests(std::uint64_t bytes)
{
    g_forTests = bytes;
}

void ReturnFreedMemory()
{
    ::malloc_trim(0);
}
