// Each facade call reaches the runtime through its own slot with the records
// the runtime expects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/commands/command_table.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"
#include "runtime/program_services.h"
#include "runtime/service_slots.h"
#include "runtime/window_commands.h"
#include "tests/support/runtime_fixture.h"

namespace {

// What the stand-in services saw; plain functions cannot capture.
struct Seen {
  uint32_t selector = 0;
  uint32_t command = 0;
  std::vector<abi::ArgRecord> args;
  std::vector<uintptr_t> words;
  std::vector<std::string> texts;
};
Seen g_seen;

std::string text_of(const abi::ArgRecord& record) {
  return reinterpret_cast<const char*>(record.value);
}

abi::ArgRecord record_core(std::span<const abi::ArgRecord> args) {
  g_seen.args.assign(args.begin(), args.end());
  return {};
}

class RoutingTest : public test_support::RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    g_seen = Seen{};
  }
};

const rt::ControlRef kEditBox{abi::kMainWindowId, 0x16010007, abi::kind::EditBox};

TEST_F(RoutingTest, WindowCommandsPassControlReferences) {
  for (const uint32_t command :
       {abi::cmd::ShowMessage, abi::cmd::ProcessEvents, abi::cmd::CloseWindow, abi::cmd::SetFocusTo,
        abi::cmd::AppendText, abi::cmd::OpenLink}) {
    core::register_core_command(command, record_core);
  }
  rt::append_text(kEditBox, "ok");
  ASSERT_EQ(g_seen.args.size(), 2u);
  EXPECT_EQ(g_seen.args[0].value, abi::kMainWindowId);
  EXPECT_EQ(g_seen.args[0].high, 0x16010007u);
  EXPECT_EQ(g_seen.args[0].tag, abi::kind::EditBox);
  EXPECT_EQ(text_of(g_seen.args[1]), "ok");

  rt::close_window(rt::kMainWindow);
  ASSERT_EQ(g_seen.args.size(), 2u);
  EXPECT_EQ(g_seen.args[0].high, abi::kWindowElementId);
  EXPECT_EQ(g_seen.args[1].tag, abi::tag::Omitted);

  rt::show_message(rt::TextView());
  ASSERT_EQ(g_seen.args.size(), 3u);
  EXPECT_EQ(text_of(g_seen.args[0]), "") << "a null text goes out as the empty text";
  EXPECT_EQ(g_seen.args[1].tag, abi::tag::Int);
  EXPECT_EQ(g_seen.args[2].tag, abi::tag::Omitted);

  rt::process_events();
  EXPECT_TRUE(g_seen.args.empty());
}

TEST_F(RoutingTest, LibraryCommandsNameLibraryAndCommand) {
  services().call_library_command = [](uint32_t library, uint32_t command, uint32_t argc,
                                       const abi::ArgRecord* args) {
    g_seen.selector = library;
    g_seen.command = command;
    g_seen.args.assign(args, args + argc);
    return abi::ArgRecord{};
  };
  rt::convert_image_file("c:\\010.png", "c:\\010.bmp");
  EXPECT_EQ(g_seen.selector, 2u);
  EXPECT_EQ(g_seen.command, 0x4u);
  ASSERT_EQ(g_seen.args.size(), 2u);
  EXPECT_EQ(text_of(g_seen.args[1]), "c:\\010.bmp");
  rt::open_url("http://example.com/");
  EXPECT_EQ(g_seen.selector, 4u);
  EXPECT_EQ(g_seen.command, 0xe0u);
  EXPECT_EQ(text_of(g_seen.args[0]), "http://example.com/");
}

TEST_F(RoutingTest, PropertiesGoThroughTheirSlots) {
  services().write_property = [](uint32_t window, uint32_t control, uint32_t property,
                                 int32_t index, uintptr_t value, uint32_t high) {
    g_seen.words = {window, control, property, static_cast<uintptr_t>(index), value, high};
  };
  rt::write_int_property(kEditBox, abi::property::Content, -2);
  EXPECT_EQ(g_seen.words,
            (std::vector<uintptr_t>{abi::kMainWindowId, 0x16010007, abi::property::Content,
                                    static_cast<uintptr_t>(-1), 0xfffffffe, 0}));
  rt::write_text_property(kEditBox, abi::property::Content, "138");
  EXPECT_STREQ(reinterpret_cast<const char*>(g_seen.words[4]), "138");

  services().read_property = [](uint32_t, uint32_t, uint32_t, int32_t) {
    auto* block = static_cast<char*>(core::alloc_memory(6));
    std::memcpy(block, " 138 ", 6);
    return abi::ArgRecord{reinterpret_cast<uintptr_t>(block), 0, abi::tag::Text};
  };
  const rt::Text content = rt::read_text_property(kEditBox, abi::property::Content);
  EXPECT_EQ(content.view(), " 138 ");
}

TEST_F(RoutingTest, PropertyThatIsNoTextIsRuntimeError5) {
  services().read_property = [](uint32_t, uint32_t, uint32_t, int32_t) {
    return abi::ArgRecord{5, 0, abi::tag::Int};
  };
  EXPECT_EXIT((void)rt::read_text_property(kEditBox, abi::property::Content),
              ::testing::ExitedWithCode(core::kRuntimeErrorStatus), "runtime error 5");
}

TEST_F(RoutingTest, DllCallsPassEveryWord) {
  services().call_dll_function = [](uint32_t index, uint32_t count, const uintptr_t* words) {
    g_seen.selector = index;
    g_seen.words.assign(words, words + count);
    return uintptr_t{77};
  };
  EXPECT_EQ(rt::call_dll(12, {0, 0x1234, UINTPTR_MAX}), 77u);
  EXPECT_EQ(g_seen.selector, 12u);
  EXPECT_EQ(g_seen.words, (std::vector<uintptr_t>{0, 0x1234, UINTPTR_MAX}));
  rt::call_dll(3, {});
  EXPECT_TRUE(g_seen.words.empty());
}

void cleanup_routine() {}

TEST_F(RoutingTest, LifeCycleServices) {
  services().runtime_help = [](uint32_t function, uintptr_t a, uintptr_t b) {
    g_seen.selector = function;
    g_seen.words = {a, b};
    return uintptr_t{0};
  };
  rt::register_cleanup(cleanup_routine);
  EXPECT_EQ(g_seen.selector, abi::help::RegisterCleanup);
  EXPECT_EQ(g_seen.words[0], reinterpret_cast<uintptr_t>(&cleanup_routine));
  void* window_list = nullptr;
  rt::unshare_array(&window_list);
  EXPECT_EQ(g_seen.selector, abi::help::UnshareArray);
  EXPECT_EQ(g_seen.words, (std::vector<uintptr_t>{4, reinterpret_cast<uintptr_t>(&window_list)}));

  services().load_start_window = [](uint32_t id) { return id + 1; };
  EXPECT_EQ(rt::load_start_window(abi::kMainWindowId), abi::kMainWindowId + 1);
  services().run_message_loop = [](uint32_t argument) { g_seen.selector = argument + 100; };
  rt::run_message_loop();
  EXPECT_EQ(g_seen.selector, 100u);
}

TEST_F(RoutingTest, ExitProgramDoesNotReturn) {
  services().exit_program = [](int32_t code) { std::_Exit(code + 10); };
  EXPECT_EXIT(rt::exit_program(0), ::testing::ExitedWithCode(10), "");
}

TEST_F(RoutingTest, UseBeforeAttachStopsWithMessage) {
  EXPECT_DEATH(
      {
        rt::detach();
        rt::process_events();
      },
      "service slot 3 used before rt::attach");
}

}  // namespace
