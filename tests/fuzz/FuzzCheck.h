// The fuzz targets' check of a rule beyond "no crash": a broken rule ends the process loudly with
// its text, and both libFuzzer and the replay tests count an abort as a found fault.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: broken rule: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
