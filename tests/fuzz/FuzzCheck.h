#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one aborts, which libFuzzer reports as a crash with its input.
#define QR_FUZZ_CHECK(condition)                                                                             \
    ((condition) ? void()                                                                                    \
                 : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition),       \
                    std::abort()))
