#pragma once
// Scoped failures for the output layer's seams: while an object lives, the
// n-th allocation (or file write) from its creation on fails, and every later
// one too when `sticky` is set.
#include <cstddef>

class AllocationFailure {
public:
    explicit AllocationFailure(int failAt, bool sticky = false);
    ~AllocationFailure();
    // Allocations seen so far.
    static int Seen();
};

class WriteFailure {
public:
    explicit WriteFailure(int failAt);
    ~WriteFailure();
};
