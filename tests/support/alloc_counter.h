// Counts heap allocations: the test programs and the performance probe replace the
// global operator new once (a program can have only one), and this counter sees
// every allocation made while counting is on.
#pragma once

// Starts counting from 0.
void StartCountingAllocations();
// Stops counting and returns the number of allocations since the start (0 when
// counting was never started); the count is reset.
long StopCountingAllocations();
