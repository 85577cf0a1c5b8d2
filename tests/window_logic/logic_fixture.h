// Loads a small form of the test's own onto the recording backend, with an
// invoker that records which handlers ran.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image/form/form_types.h"
#include "runtime/abi.h"
#include "tests/form/form_builder.h"
#include "tests/window_logic/recording_backend.h"

namespace window_logic_test {

inline constexpr uint32_t kWindowId = 0x52010001;

// A form of the window (created handler at 0x40) and these elements.
form::Form form_of(std::vector<form::Element> elements);

// A control record with these state flags and events.
form::ControlRecord control(const char* name, uint32_t parent, form::Properties props,
                            uint32_t flags = form::state::Visible,
                            std::vector<form::EventBinding> events = {});

class LogicTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Attaches and loads the form; the backend's log then starts with the build.
  void load(const form::Form& form);

  // Text, integer and control-reference argument records.
  static abi::ArgRecord text_arg(const char* gbk);
  static abi::ArgRecord ref(uint32_t control, uint32_t kind);

  RecordingBackend* backend = nullptr;  // owned by the window module
  std::vector<uint32_t> ran;            // code offsets of the handlers run
  std::function<void(uint32_t)> while_running;

 private:
  size_t blocks_at_start_ = 0;
};

}  // namespace window_logic_test
