#include "tests/window_logic/logic_fixture.h"

#include <memory>

#include "image/form/form_writer.h"
#include "platform/core/memory/memory.h"
#include "platform/core/window/backend.h"
#include "platform/core/window/window_api.h"

namespace window_logic_test {

form::Form form_of(std::vector<form::Element> elements) {
  form::Form f;
  f.window_id = kWindowId;
  form::WindowProps window;
  window.caption = "w";
  auto w = form_test::control("", 0, window);
  w.events = {{abi::event::Created, 0x40}};
  f.elements.push_back({form_test::kWindow, w});
  for (form::Element& e : elements) {
    f.elements.push_back(std::move(e));
  }
  return f;
}

form::ControlRecord control(const char* name, uint32_t parent, form::Properties props,
                            uint32_t flags, std::vector<form::EventBinding> events) {
  form::ControlRecord r = form_test::control(name, parent, std::move(props));
  r.state_flags = flags;
  r.events = std::move(events);
  return r;
}

void LogicTest::SetUp() {
  blocks_at_start_ = core::live_blocks();
  core::window::register_window_commands();
}

void LogicTest::TearDown() {
  core::window::shut_down();
  EXPECT_EQ(core::live_blocks(), blocks_at_start_) << "a test kept a block it was handed";
}

void LogicTest::load(const form::Form& form) {
  core::window::attach_form(form::write_form(form), [this](uint32_t code_offset) {
    ran.push_back(code_offset);
    if (while_running) {
      while_running(code_offset);
    }
  });
  core::window::load_window(form.window_id, [this] {
    auto made = std::make_unique<RecordingBackend>();
    backend = made.get();
    return made;
  });
}

abi::ArgRecord LogicTest::text_arg(const char* gbk) {
  return {reinterpret_cast<uintptr_t>(gbk), 0, abi::tag::Text};
}

abi::ArgRecord LogicTest::ref(uint32_t control, uint32_t kind) {
  return {kWindowId, control, kind};
}

}  // namespace window_logic_test
