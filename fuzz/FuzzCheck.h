// What every fuzz target shares: its entry point, and the check that turns a broken promise of
// the code under test into a finding (an abort the fuzzer and the replay both report).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size);

inline void FuzzRequire(bool condition, const char *promise)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", promise);
    std::abort();
}
