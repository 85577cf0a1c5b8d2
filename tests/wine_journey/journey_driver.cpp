// A new user's journey through the Windows program under Wine, against the
// stand-in service at the program's own address: registration with the
// phoned voice code, login with the picture code, the weekly claim, the
// balance and a call. Each step is checked on what the user sees: message
// boxes, labels and the tab page. Pictures of both tab pages are saved on
// the way.
//   wine_journey_driver <lanyinbao.exe> <picture folder>
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>

#include "tests/window_win32/checks.h"
#include "tests/wine_journey/program_window.h"
#include "tests/wine_journey/service_hooks.h"

namespace {

using wine_journey::ProgramWindow;

constexpr char kMember[] = "13800138000";
constexpr char kCalled[] = "13900139000";
constexpr int kReplySeconds = 30;

constexpr char kVoiceCodeComing[] =
    "请稍等,语音验证码将在5分钟内以电话语音的方式告诉你，请将听到的数字填入框中！！";
constexpr char kRegistered[] = "注册成功！！！";
constexpr char kLoggedIn[] = "登录成功！！";
constexpr char kMemberShown[] = "用户号码：13800138000";
constexpr char kAlreadyClaimed[] = "对不起！这周已经领取了！！！";
constexpr char kBalanceBefore[] = "免费通话时间还剩： 0分钟";
constexpr char kBalanceAfter[] = "免费通话时间还剩： 15分钟";
constexpr char kCallPlaced[] = "呼叫成功！！正在处理！！请耐心等待5~60秒！";

std::string shown(const std::optional<std::string>& message) {
  return message ? "'" + *message + "'" : std::string("no message box");
}

void expect_message(ProgramWindow& program, const char* step, const std::string& expected) {
  const std::optional<std::string> message = program.next_message(kReplySeconds);
  CHECK_THAT(message == expected,
             std::string(step) + ": expected '" + expected + "', saw " + shown(message));
}

void expect_text(const ProgramWindow& program, const char* control, const std::string& expected) {
  CHECK_THAT(program.wait_for_text(control, expected, kReplySeconds),
             std::string(control) + ": expected '" + expected + "', shows '" +
                 program.text_of(control) + "'");
}

// Waits for the picture code the service drew once the program asked for
// the picture; empty when none came.
std::string drawn_picture_code() {
  for (int tries = 0; tries < kReplySeconds * 10; ++tries) {
    if (const auto cookie = wine_journey::session_cookie()) {
      if (const auto code = wine_journey::picture_code(*cookie)) {
        return *code;
      }
    }
    Sleep(100);
  }
  return {};
}

void save_page(const ProgramWindow& program, const std::wstring& folder, const wchar_t* name) {
  Sleep(500);  // the page's controls paint after it is chosen
  CHECK_THAT(program.save_picture(folder + L"\\" + name), "picture of the page saved");
}

void register_member(ProgramWindow& program) {
  program.type_into("编辑框3", kMember);
  program.click("按钮16");
  expect_message(program, "asking for the voice code", kVoiceCodeComing);

  const std::optional<std::string> code = wine_journey::voice_code(kMember);
  CHECK_THAT(code.has_value(), "the service phoned a voice code");
  program.focus("编辑框4");
  expect_text(program, "编辑框4", "");
  program.type_into("编辑框4", code.value_or("").c_str());
  program.click("按钮15");
  expect_message(program, "registering", kRegistered);
  const HWND tabs = program.control("选择夹1");
  CHECK_THAT(tabs != nullptr && SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1,
             "a registered member is taken to the calling page");
}

// The login number's got-focus handler writes the advertisement pages, and
// the list beside the pages shows their links.
void log_in(ProgramWindow& program) {
  program.focus("编辑框2");
  CHECK_THAT(program.wait_for_text_holding("超文本浏览框3", "淘宝皇冠店铺精选", kReplySeconds),
             "the advertisement list shows its links: '" + program.text_of("超文本浏览框3") + "'");
  program.type_into("编辑框2", kMember);
  program.focus("编辑框1");
  const std::string code = drawn_picture_code();
  CHECK_THAT(!code.empty(), "the service drew a picture code for the program's session");
  program.type_into("编辑框1", code.c_str());
  program.click("按钮1");
  expect_text(program, "标签1", kLoggedIn);
  expect_text(program, "标签5", kMemberShown);
}

// 按钮2 shows the time before its own claim; the menu's claim after it is
// refused for the week, and the next 按钮2 shows the 15 minutes.
void claim_and_call(ProgramWindow& program) {
  program.click("按钮2");
  expect_text(program, "标签6", kBalanceBefore);
  CHECK_THAT(program.choose_menu_item("领取15分钟"), "the claim is on the menu");
  expect_message(program, "claiming from the menu", kAlreadyClaimed);
  program.click("按钮2");
  expect_text(program, "标签6", kBalanceAfter);

  program.type_into("拨打电话", kCalled);
  program.click("按钮14");
  expect_message(program, "calling", kCallPlaced);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: wine_journey_driver <lanyinbao.exe> <picture folder>\n");
    return 2;
  }
  const std::wstring folder = wine_journey::to_wide(argv[2]);
  ProgramWindow program(wine_journey::to_wide(argv[1]));
  CHECK_THAT(program.window() != nullptr, "the program shows its window");
  if (program.window() == nullptr) {
    return win32_test::failures() == 0 ? 0 : 1;
  }
  save_page(program, folder, L"wine-page1.bmp");
  register_member(program);
  log_in(program);
  save_page(program, folder, L"wine-page2.bmp");
  claim_and_call(program);
  const int status = program.close();
  CHECK_THAT(status == 0, "the program ends with status 0 when its window closes, not " +
                              std::to_string(status));
  return win32_test::failures() == 0 ? 0 : 1;
}
