// A run of digits in a death test's expected message. GoogleTest matches
// with POSIX extended expressions on Linux and with its own simple ones on
// Windows, which know \d but no bracket expressions.
#pragma once

#include <gtest/gtest.h>

#if GTEST_USES_SIMPLE_RE
#define LYB_DIGITS_RE "\\d+"
#else
#define LYB_DIGITS_RE "[0-9]+"
#endif
