#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "image/const_table.h"
#include "platform/gbk/gbk_text.h"
#include "runtime/program_services.h"
#include "runtime/shared_routines.h"
#include "tests/program/program_fixture.h"
#include "web/message_box.h"

namespace {

using program::Dll;

constexpr uint32_t kOwnProcess = 4242;

struct FakeWindow {
  uint64_t handle;
  bool visible;
  uint32_t process_id;
  uint32_t thread_id;
  std::string title;
  std::string class_name;
};

struct BoxCall {
  uint64_t owner;
  std::string text;
  std::string title;
  uint32_t style;
};

// A desktop as the declared user32 and kernel32 functions see it.
struct Desktop {
  std::vector<FakeWindow> windows;
  std::vector<BoxCall> boxes;
  uint64_t box_result = 1;  // IDOK
  int enumerations = 0;
};
Desktop g_desktop;

const FakeWindow& window(uint64_t handle) {
  return *std::find_if(g_desktop.windows.begin(), g_desktop.windows.end(),
                       [&](const FakeWindow& w) { return w.handle == handle; });
}

uint64_t copy_text(const std::string& s, uint64_t buffer, uint64_t size) {
  const size_t n = std::min<size_t>(s.size(), size - 1);
  std::memcpy(reinterpret_cast<char*>(buffer), s.data(), n);
  reinterpret_cast<char*>(buffer)[n] = '\0';
  return n;
}

uint64_t fake_dll(uint32_t index, uint32_t, const uint64_t* w) {
  switch (static_cast<Dll>(index)) {
    case Dll::EnumWindows: {
      ++g_desktop.enumerations;
      auto callback = reinterpret_cast<int32_t (*)(uint64_t, int64_t)>(w[0]);
      for (const FakeWindow& fw : g_desktop.windows) {
        if (callback(fw.handle, static_cast<int64_t>(w[1])) == 0) {
          break;
        }
      }
      return 1;
    }
    case Dll::IsWindowVisible:
      return window(w[0]).visible ? 1 : 0;
    case Dll::GetWindowThreadProcessId:
      *reinterpret_cast<uint32_t*>(w[1]) = window(w[0]).process_id;
      return window(w[0]).thread_id;
    case Dll::GetWindowTextA:
      return copy_text(window(w[0]).title, w[1], w[2]);
    case Dll::GetClassNameA:
      return copy_text(window(w[0]).class_name, w[1], w[2]);
    case Dll::GetCurrentProcessId:
      return kOwnProcess;
    case Dll::MessageBoxA:
      g_desktop.boxes.push_back({w[0], reinterpret_cast<const char*>(w[1]),
                                 reinterpret_cast<const char*>(w[2]), static_cast<uint32_t>(w[3])});
      return g_desktop.box_result;
    default:
      ADD_FAILURE() << "unexpected declared function " << index;
      return 0;
  }
}

std::string gbk(const char* utf8) {
  return gbk::from_qstring(QString::fromUtf8(utf8));
}

class MessageBox : public program_test::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    g_desktop = {};
    g_desktop.windows = {{1, false, kOwnProcess, 10, "hidden", "QWidget"},
                         {2, true, 7, 20, "other", "QWidget"},
                         {3, true, kOwnProcess, 30, "main", "QMainWindow"},
                         {4, true, kOwnProcess, 40, "second", "QDialog"}};
    services().call_dll_function = &fake_dll;
    window_list_ = const_cast<uint8_t*>(const_address(program::Const::EmptyArray));
  }
};

TEST_F(MessageBox, OwnerIsTheFirstVisibleWindowOfTheProcess) {
  EXPECT_EQ(web::FindOwnWindow(kOwnProcess), 3u);
  EXPECT_EQ(web::FindOwnWindow(7), 2u);
  EXPECT_EQ(web::FindOwnWindow(99), 0u);
  EXPECT_EQ(window_list_, const_address(program::Const::EmptyArray));
}

TEST_F(MessageBox, DefaultsGiveTheOwnWindowTheFriendlyTitleAndOkOnly) {
  EXPECT_EQ(web::ShowMessageBox({.message = rt::TextView("hello")}), 0);
  ASSERT_EQ(g_desktop.boxes.size(), 1u);
  EXPECT_EQ(g_desktop.boxes[0].owner, 3u);
  EXPECT_EQ(g_desktop.boxes[0].text, "hello");
  EXPECT_EQ(g_desktop.boxes[0].title, gbk("友情提醒"));
  EXPECT_EQ(g_desktop.boxes[0].style, 0u);
}

struct BoxRow {
  const char* what;
  web::MessageBoxOptions options;
  uint64_t box_result;
  int32_t expected_result;
  uint64_t expected_owner;
  const char* expected_title;  // UTF-8
  int expected_enumerations;
};

class MessageBoxRows : public MessageBox, public ::testing::WithParamInterface<BoxRow> {};

TEST_P(MessageBoxRows, PassesWhatWasGivenAndAnswersTheResultMinusOne) {
  const BoxRow& row = GetParam();
  g_desktop.box_result = row.box_result;
  EXPECT_EQ(web::ShowMessageBox(row.options), row.expected_result);
  ASSERT_EQ(g_desktop.boxes.size(), 1u);
  EXPECT_EQ(g_desktop.boxes[0].owner, row.expected_owner);
  EXPECT_EQ(g_desktop.boxes[0].title, gbk(row.expected_title));
  EXPECT_EQ(g_desktop.enumerations, row.expected_enumerations);
}

INSTANTIATE_TEST_SUITE_P(
    Options, MessageBoxRows,
    ::testing::Values(
        BoxRow{"empty title stays empty", {.title = rt::TextView("")}, 1, 0, 3, "", 1},
        BoxRow{"owner 0 is passed on", {.owner = 0}, 1, 0, 0, "友情提醒", 0},
        BoxRow{"given owner is passed on", {.style = 0x24, .owner = 77}, 7, 6, 77, "友情提醒", 0},
        BoxRow{"no box shown", {}, 0, -1, 3, "友情提醒", 1},
        BoxRow{"cancel", {.style = 1}, 2, 1, 3, "友情提醒", 1}));

TEST_F(MessageBox, ListVisibleWindowsCollectsRecordsInEnumerationOrder) {
  g_desktop.windows[2].title = std::string(300, 'T');
  g_desktop.windows[2].class_name = std::string(60, 'C');
  void* list = const_cast<uint8_t*>(const_address(program::Const::EmptyArray));
  ASSERT_EQ(web::ListVisibleWindows(&list), 3u);
  EXPECT_EQ(window_list_, const_address(program::Const::EmptyArray));
  std::vector<abi::WindowRecord*> records(3);
  std::memcpy(records.data(), static_cast<uint8_t*>(list) + 8, 3 * sizeof(void*));
  EXPECT_EQ(records[0]->window, 2u);
  EXPECT_EQ(records[0]->process_id, 7u);
  EXPECT_EQ(records[0]->thread_id, 20u);
  EXPECT_STREQ(records[0]->title, "other");
  EXPECT_EQ(records[1]->window, 3u);
  EXPECT_EQ(std::strlen(records[1]->title), 255u);
  EXPECT_EQ(std::strlen(records[1]->class_name), 49u);
  EXPECT_STREQ(records[2]->class_name, "QDialog");

  // A second listing into the same list releases what it held.
  g_desktop.windows.resize(2);
  EXPECT_EQ(web::ListVisibleWindows(&list), 1u);
  web::ReleaseWindowList(list);
}

TEST_F(MessageBox, WindowListStartsFromAPrivateBlockToo) {
  window_list_ = rt::alloc(8);
  const uint32_t empty[2] = {1, 0};
  std::memcpy(window_list_, empty, 8);
  EXPECT_EQ(web::FindOwnWindow(kOwnProcess), 3u);
  EXPECT_EQ(window_list_, const_address(program::Const::EmptyArray));
}

}  // namespace
