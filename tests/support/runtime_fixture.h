// A service table for tests: memory, errors and core commands are the real
// runtime ones; every other slot fails the test loudly until a test installs
// its own entry. The facade is attached to it, and every test must give back
// every block it was handed.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "runtime/abi.h"

namespace test_support {

// A fresh table: real memory, error and core-command entries, loud failures
// elsewhere.
abi::ServiceTable krnln_test_services();

class RuntimeFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Entries may be replaced at any time; the facade reads them on each call.
  abi::ServiceTable& services() { return services_; }
  size_t blocks_at_start() const { return blocks_at_start_; }

 private:
  abi::ServiceTable services_{};
  size_t blocks_at_start_ = 0;
};

}  // namespace test_support
