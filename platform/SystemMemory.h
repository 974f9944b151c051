#pragma once
// How much more memory this program can have now: the system's available
// memory (what it can hand out without swapping out others), or less when an
// address-space limit is set for the program. Allocations on this system
// rarely fail; a program that takes more than there is gets killed instead, so
// a large allocation is weighed against this figure beforehand.
#include <cstdint>

std::uint64_t AvailableMemory();

// Gives the pages of freed memory back to the system. The allocator keeps what
// a large operation freed inside its heap, where it would count as this
// program's for as long as the heap does not shrink from its top.
void ReturnFreedMemory();

// Tests: AvailableMemory answers `bytes` while set; UINT64_MAX ends that.
void SetAvailableMemoryForTests(std::uint64_t bytes);
