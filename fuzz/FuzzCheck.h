// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

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
