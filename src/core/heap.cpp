#include "core/heap.h"

#include <cstddef> // the C library's own headers say whether it is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

void ReturnFreeHeapPages() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}
