// Forced into platform/heap_tuning.cpp by the browser build (web/CMakeLists.txt): the
// browser's C library has malloc_trim (its allocator defines it) but its malloc.h does not
// declare it. The file compiles unchanged otherwise.
// Depends on: nothing.
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif
int malloc_trim(size_t pad);
#ifdef __cplusplus
}
#endif
