// A small check harness for the programs that run under Wine: each failed
// check prints where and what, and the program's exit status counts them.
#pragma once

#include <string>

namespace win32_test {

void check(bool ok, const std::string& what, const char* file, int line);
int failures();

}  // namespace win32_test

#define CHECK_THAT(ok, what) ::win32_test::check((ok), (what), __FILE__, __LINE__)
