// Heap tuning through glibc's mallopt and malloc_trim.
// Depends on: heap_tuning.h, glibc's malloc.h.
#include "platform/heap_tuning.h"

#include <malloc.h>

namespace {
// While loading, buffers up to this size stay in the heap and freed heap memory is kept.
const int LOADING_MMAP_THRESHOLD = 64 << 20;
const int LOADING_TRIM_THRESHOLD = 256 << 20;
// Once the pictures are in, as the C library's own adjustment would settle for a program whose
// frames take and give back buffers of several MB (the GL driver's, every frame): these stay
// in the heap rather than be mapped, faulted in, unmapped and flushed from every core's
// address cache again each frame. (Setting any threshold turns that adjustment off, so the
// values it would reach are set here.)
const int PLAYING_MMAP_THRESHOLD = 32 << 20;
const int PLAYING_TRIM_THRESHOLD = 64 << 20;
}  // namespace

void heapKeepLargeBuffers()
{
    mallopt(M_MMAP_THRESHOLD, LOADING_MMAP_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, LOADING_TRIM_THRESHOLD);
}

void heapReleaseLargeBuffers()
{
    malloc_trim(0);
    mallopt(M_TRIM_THRESHOLD, PLAYING_TRIM_THRESHOLD);
    mallopt(M_MMAP_THRESHOLD, PLAYING_MMAP_THRESHOLD);
}
