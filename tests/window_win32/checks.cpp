#include "tests/window_win32/checks.h"

#include <cstdio>

namespace win32_test {
namespace {
int g_failures = 0;
int g_checks = 0;
}  // namespace

void check(bool ok, const std::string& what, const char* file, int line) {
  ++g_checks;
  if (!ok) {
    ++g_failures;
    std::fprintf(stderr, "%s:%d: FAILED: %s\n", file, line, what.c_str());
  }
}

int failures() {
  std::fprintf(stderr, "%d checks, %d failed\n", g_checks, g_failures);
  return g_failures;
}

}  // namespace win32_test
