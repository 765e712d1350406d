// Counts heap allocations: the test programs and the performance probe replace the
// global operator new once (a program can have only one), and this counter sees
// every allocation made while counting is on.
#pragma once
#include <cstddef>

// Starts counting from 0.
void StartCountingAllocations();
// Stops counting and returns the number of allocations since the start (0 when
// counting was never started); the count is reset.
long StopCountingAllocations();

// From now on every allocation of more than `bytes` bytes fails as memory that
// has run out does (std::bad_alloc, or null for the nothrow forms); 0 ends it.
void FailAllocationsLargerThan(std::size_t bytes);
