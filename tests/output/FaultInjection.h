#pragma once
// Scoped failures for the output layer's allocations: while an object lives,
// the n-th allocation from its creation on fails, and every later one too when
// `sticky` is set. (File writes fail through FailingWriter.h.)
#include <cstddef>

class AllocationFailure {
public:
    explicit AllocationFailure(int failAt, bool sticky = false);
    ~AllocationFailure();
    // Allocations seen so far.
    static int Seen();
};

