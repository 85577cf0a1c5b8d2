// The window commands and the support-library commands on the recording
// backend and desktop.
#include <fstream>

#include "platform/core/commands/command_table.h"
#include "platform/core/window/window_api.h"
#include "platform/support/library_commands.h"
#include "tests/support/drive_c.h"
#include "tests/support/temp_dir.h"
#include "tests/window_logic/fake_desktop.h"
#include "tests/window_logic/logic_fixture.h"

namespace window_logic_test {
namespace {

using test_support::ScopedEnv;
using test_support::TempDir;

constexpr uint32_t kEdit = 0x16000001;
constexpr uint32_t kLabel = 0x16000002;
constexpr uint32_t kLink = 0x16000003;

class Commands : public LogicTest {
 protected:
  void SetUp() override {
    LogicTest::SetUp();
    desktop() = {};
    load(form_of({
        {kEdit, control("edit", 0, form::EditBoxProps{})},
        {kLabel, control("label", 0, form::LabelProps{})},
        {kLink, control("link", 0, form::HyperlinkBoxProps{})},
    }));
    backend->log.clear();
  }

  void call(uint32_t command, std::initializer_list<abi::ArgRecord> args) {
    core::call_core_command(command, static_cast<uint32_t>(args.size()), std::data(args));
  }

  TempDir data_;
  ScopedEnv data_env_{"XDG_DATA_HOME", data_.path().string()};
};

TEST_F(Commands, ShowMessagePrintsWhereNoBoxCanBeShown) {
  const abi::ArgRecord omitted{};
  {
    ScopedEnv mode("WINAPI_MSGBOX", "stderr");
    testing::internal::CaptureStderr();
    call(abi::cmd::ShowMessage, {text_arg("\xba\xc3"), {0, 0, abi::tag::Int}, omitted});
    call(abi::cmd::ShowMessage, {text_arg("x"), {0, 0, abi::tag::Int}, text_arg("T")});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[岚音宝] 好\n[T] x\n");
  }
  ScopedEnv mode("WINAPI_MSGBOX", "box");
  backend->boxes_possible = false;  // e.g. called off the GUI thread
  testing::internal::CaptureStderr();
  call(abi::cmd::ShowMessage, {text_arg("y")});
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "[岚音宝] y\n");
  EXPECT_TRUE(backend->log.empty());
}

TEST_F(Commands, ShowMessageShowsABoxWithTheDefaultTitle) {
  ScopedEnv mode("WINAPI_MSGBOX", "box");
  call(abi::cmd::ShowMessage, {text_arg("<i>ok</i>"), {0, 0, abi::tag::Int}, {}});
  call(abi::cmd::ShowMessage, {text_arg("z"), {0, 0, abi::tag::Int}, text_arg("T")});
  EXPECT_EQ(backend->log,
            (std::vector<std::string>{"box [\xe1\xb0\xd2\xf4\xb1\xa6] <i>ok</i>", "box [T] z"}));
}

TEST_F(Commands, AppendTextAddsToWhatTheUserTyped) {
  backend->edit_texts[kEdit] = "12";
  call(abi::cmd::AppendText, {ref(kEdit, abi::kind::EditBox), text_arg("3")});
  EXPECT_EQ(backend->log, (std::vector<std::string>{"text 0x16000001 123"}));
}

TEST_F(Commands, ProcessEventsAndCloseGoToTheBackend) {
  call(abi::cmd::ProcessEvents, {});
  call(abi::cmd::CloseWindow, {ref(form_test::kWindow, abi::kind::Window)});
  EXPECT_EQ(backend->log, (std::vector<std::string>{"process events", "close", "wake"}));
}

TEST_F(Commands, OpenLinkAndOpenUrlHandTheSameTargetsToTheDesktop) {
  const char* targets[] = {"http://127.0.0.1:1/a?b=c", " c:\\help.html "};
  for (const char* target : targets) {
    core::window::write_property(kWindowId, kLink, abi::property::Address, -1,
                                 reinterpret_cast<uintptr_t>(target), 0);
    call(abi::cmd::OpenLink, {ref(kLink, abi::kind::HyperlinkBox)});
    const abi::ArgRecord url[] = {text_arg(target)};
    EXPECT_EQ(support::call_library_command(4, 0xe0, 1, url).value, 1u);
  }
  const std::string file = "file " + (test_support::drive_c(data_.path()) / "help.html").string();
  EXPECT_EQ(desktop().opened,
            (std::vector<std::string>{"url http://127.0.0.1:1/a?b=c",
                                      "url http://127.0.0.1:1/a?b=c", file, file}));
  // A box without a target opens nothing.
  core::window::write_property(kWindowId, kLink, abi::property::Address, -1, 0, 0);
  call(abi::cmd::OpenLink, {ref(kLink, abi::kind::HyperlinkBox)});
  EXPECT_EQ(desktop().opened.size(), 4u);
}

TEST_F(Commands, ConvertImageFileReadsTheMappedSourceAndWritesTheMappedTarget) {
  const std::filesystem::path drive = test_support::drive_c(data_.path());
  std::filesystem::create_directories(drive);
  std::ofstream(drive / "010.png", std::ios::binary) << "12345";
  const abi::ArgRecord args[] = {text_arg("c:\\010.png"), text_arg("c:\\010.bmp")};
  EXPECT_EQ(support::call_library_command(2, 4, 2, args).value, 1u);
  desktop().picture_ok = false;
  EXPECT_EQ(support::call_library_command(2, 4, 2, args).value, 0u);
  const std::string converted = "5 -> " + (drive / "010.bmp").string();
  EXPECT_EQ(desktop().converted, (std::vector<std::string>{converted, converted}));
  std::filesystem::remove(drive / "010.png");
}

using CommandFaults = Commands;

TEST_F(CommandFaults, WrongControlsAndArgumentsAreNamed) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(call(abi::cmd::AppendText, {ref(kLabel, abi::kind::Label), text_arg("1")}),
               "AppendText: control \\(label\\) is not of kind edit box");
  EXPECT_DEATH(call(abi::cmd::AppendText, {ref(kEdit, abi::kind::EditBox)}),
               "command AppendText: argument 2 is missing");
  EXPECT_DEATH(call(abi::cmd::CloseWindow, {ref(kEdit, abi::kind::EditBox)}),
               "CloseWindow: control \\(edit box\\) is not of kind window");
  EXPECT_DEATH(call(abi::cmd::SetFocusTo, {ref(0x16009999, abi::kind::EditBox)}),
               "SetFocusTo: window 0x52010001 has no control 0x16009999");
  EXPECT_DEATH(call(abi::cmd::ShowMessage, {{1, 0, abi::tag::Int}}),
               "command ShowMessage: argument 1 has tag");
  EXPECT_DEATH(support::call_library_command(2, 0x8, 0, nullptr), "library 2 has no command 0x8");
  EXPECT_DEATH(support::call_library_command(4, 0xe0, 0, nullptr),
               "command OpenUrl: argument 1 is missing");
}

}  // namespace
}  // namespace window_logic_test
