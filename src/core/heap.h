// Giving the C library's free heap memory back to the system.
#pragma once

// Loading leaves holes in the heap: a picture's file and pixels are freed between
// the renderer's copies of the pictures before and after it, so the heap cannot
// shrink from its top. The holes' pages are free for the program but still count
// against it until they are given back, page by page; the next allocation that
// needs them takes them again. Costs a walk over the heap's free blocks. Does
// nothing where the C library has no such call.
void ReturnFreeHeapPages();
