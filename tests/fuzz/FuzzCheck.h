#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one aborts, which libFuzzer
// reports as a crash with the input that caused it.
#define QR_FUZZ_CHECK(condition)                                                                             \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
