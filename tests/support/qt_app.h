// One QApplication for a GUI test program, made before the first test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace test_support {

class QtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "lyb-test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

}  // namespace test_support
