#pragma once

#include <cstdio>
#include <cstdlib>

/// Stops the fuzzer with the broken invariant's text, so a finding names what failed
/// rather than only where.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
