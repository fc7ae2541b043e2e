// What the fuzz targets share: a check that stops the run with the broken condition named,
// so that libFuzzer keeps the input that broke it (and the replay tool says which file).
// Depends on: the C library.
#pragma once
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,      \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)
