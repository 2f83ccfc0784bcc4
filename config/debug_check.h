#pragma once
// Checks for programmer errors: a caller that breaks a function's contract
// (a 1-based index of 0, a stage 5) stops the test build at once, with the
// place and the broken condition, instead of reading another field. They are
// not input validation: data from files, the mouse or other processes is
// checked where it enters and never reaches one of these. The product build
// compiles them out.

#if defined(TRV_DEBUG_CHECKS)
#include <cstdio>
#include <cstdlib>
#define TRV_EXPECTS(condition)                                                                    \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: broken contract: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
#else
#define TRV_EXPECTS(condition) ((void)0)
#endif
