// Heap tuning through glibc's mallopt and malloc_trim.
// Depends on: heap_tuning.h, glibc's malloc.h.
#include "platform/heap_tuning.h"

#include <malloc.h>

namespace {
// While loading, buffers up to this size stay in the heap and freed heap memory is kept.
const int LOADING_MMAP_THRESHOLD = 64 << 20;
const int LOADING_TRIM_THRESHOLD = 256 << 20;
// The C library's defaults.
const int DEFAULT_MMAP_THRESHOLD = 128 << 10;
const int DEFAULT_TRIM_THRESHOLD = 128 << 10;
}  // namespace

void heapKeepLargeBuffers()
{
    mallopt(M_MMAP_THRESHOLD, LOADING_MMAP_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, LOADING_TRIM_THRESHOLD);
}

void heapReleaseLargeBuffers()
{
    mallopt(M_TRIM_THRESHOLD, DEFAULT_TRIM_THRESHOLD);
    mallopt(M_MMAP_THRESHOLD, DEFAULT_MMAP_THRESHOLD);
    malloc_trim(0);
}
