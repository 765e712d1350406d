// How the process keeps its heap small.
#pragma once
#include <malloc.h>

// Blocks of a quarter megabyte and more (a file's bytes and its decoded picture
// while the data loads) come straight from the system and go back to it when
// they are freed. Left to itself, the C library soon serves such blocks from the
// heap, where the space stays with the process for the rest of the run.
inline void ReturnLargeBlocksToTheSystem() {
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
}
