// The keyboard and the accessible names of the program's own window, on the
// recording backend: Tab's order per page, the button Enter clicks in each
// edit box, the menu item F1 chooses, the name of every control a screen
// reader reads. Ids and names are typed from the layout tables.
#include <string>
#include <vector>

#include "image/form/form_reader.h"
#include "platform/gbk/gbk_codec.h"
#include "tests/window_logic/logic_fixture.h"
#include "ui/form_tables.h"

namespace window_logic_test {
namespace {

class InputPlan : public LogicTest {
 protected:
  void load_program_window() {
    form::FormResult result = form::validate_form(ui::build_form_section());
    ASSERT_TRUE(result.ok()) << result.error;
    load(*result.form);
  }

  // The "show" line the backend logged.
  std::string shown() const {
    for (const std::string& line : backend->log) {
      if (line.rfind("show ", 0) == 0) {
        return line;
      }
    }
    return {};
  }
};

std::string ids(const std::vector<uint32_t>& list) {
  std::string out;
  for (uint32_t id : list) {
    out += (out.empty() ? "" : ",") + hex(id);
  }
  return out;
}

TEST_F(InputPlan, TabVisitsEachPageInReadingOrderThenTheAdvertisements) {
  load_program_window();
  const std::vector<uint32_t> page_one = {0x1601103c, 0x16011040, 0x1601103f, 0x1601103e};
  const std::vector<uint32_t> page_two = {
      0x16010fa3, 0x16010f9b, 0x16010f9d, 0x16010fa9,  // login number, code, 登录, claim
      0x16010faf,                                      // the number to call
      0x16010fae, 0x16010fb0, 0x16010fb1, 0x16010fb2, 0x16010fb3,
      0x16010fb4, 0x16010fb5, 0x16010fb6, 0x16010fb7, 0x16010fb9,  // 1 to 9, 0
      0x16010fba, 0x16010fb8};                                     // 拨打, 清除
  const std::vector<uint32_t> after_pages = {0x16010f97, 0x16010f98};
  const std::string order = ids(page_one) + "," + ids(page_two) + "," + ids(after_pages);
  // The start focus keeps its rule: the strip, where no got-focus handler runs.
  EXPECT_EQ(shown().substr(0, shown().find(" enter")), "show tab " + order + " start 0x16010f97");
}

TEST_F(InputPlan, EnterInEachEditBoxClicksItsButtonAndF1ChoosesRegistrationHelp) {
  load_program_window();
  const std::string keys = shown().substr(shown().find(" enter"));
  EXPECT_EQ(keys,
            " enter 0x1601103c>0x16011040,0x1601103f>0x1601103e,0x16010fa3>0x16010f9d,"
            "0x16010f9b>0x16010f9d,0x16010faf>0x16010fba help 0x26010fac");
}

struct NameRow {
  uint32_t id;
  const char* name;  // UTF-8; empty: the control has none
};

const NameRow kNames[] = {
    {0x1601103c, "手机号码"},
    {0x1601103f, "语音验证码"},
    {0x16010fa3, "手机号"},
    {0x16010f9b, "验证码"},
    {0x16010faf, "拨打电话"},
    {0x16010f9e, "验证码图片"},
    {0x16010f98, "重点推荐"},  // its group's caption
    {0x16010f97, "广告"},
    {0x16011040, "提交"},
    {0x1601103e, "注册"},
    {0x16010f9d, "登录"},
    {0x16010fa9, "每周免费领取话费"},
    {0x16010fba, "拨打"},
    {0x16010fb8, "清除"},
    {0x16010fb9, "0"},
    {0x16010fae, "1"},
    {0x16011041, "手机号码："},
    {0x16010fa0, "请输入验证码"},  // the caption's leading blank dropped
    // Both lines of the warning, the line break read as a blank.
    {0x1601103b, "本软件，只限★接听免费用户★---->★使用★ 如果你手机接电话收费，请勿使用！！！"},
    {0x16010fa4, "用户状态："},
    {0x1601103a, "★手机免费注册★"},
    {0x1601104d, ""},  // the timer
    {0x16011066, ""},  // the hidden hyperlink box
};

TEST_F(InputPlan, EveryControlHasItsAccessibleName) {
  load_program_window();
  for (const NameRow& row : kNames) {
    SCOPED_TRACE(hex(row.id));
    const auto it = backend->accessible_names.find(row.id);
    const std::string name = it == backend->accessible_names.end() ? "" : it->second;
    EXPECT_EQ(gbk::to_utf8(name), row.name);
  }
}

TEST_F(InputPlan, TheRulesFollowTheControlsNamesInAnyForm) {
  constexpr uint32_t kFirst = 0x16000001;
  constexpr uint32_t kSecond = 0x16000002;
  form::ButtonProps ok;
  ok.caption = "OK";
  // Two controls named like the program's number box and its 提交, in the
  // opposite order, and no help item.
  load(form_of({
      {kFirst, control("\xb0\xb4\xc5\xa5\x31\x36", 0, ok,  // "按钮16"
                       form::state::Visible | form::state::TabStop)},
      {kSecond, control("\xb1\xe0\xbc\xad\xbf\xf2\x33", 0,  // "编辑框3"
                        form::EditBoxProps{}, form::state::Visible | form::state::TabStop)},
  }));
  EXPECT_EQ(shown(), "show tab 0x16000002,0x16000001 start 0x16000001 enter 0x16000002>0x16000001");
  EXPECT_EQ(backend->accessible_names.at(kFirst), "OK");
}

}  // namespace
}  // namespace window_logic_test
