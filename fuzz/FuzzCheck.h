#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run with a report, as a crash would.
#define FUZZ_CHECK(ACondition)                                                                     \
    do {                                                                                           \
        if (!(ACondition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #ACondition);                  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
