// The keypad and the voice-code box: keys append after what is there and
// hand the focus back to 拨打电话, 清除 empties without moving the focus, and
// every visit to 编辑框4 erases what was typed there.
#include <QTest>

#include "tests/client_local/client_fixture.h"

namespace client_test {
namespace {

struct KeyRow {
  const char* typed;  // by hand, before the keys
  std::vector<const char*> keys;
  const char* expected;
};

void PrintTo(const KeyRow& row, std::ostream* out) {
  *out << '"' << row.typed << "\" then " << row.keys.size() << " keys";
}

const KeyRow kKeys[] = {
    {"", {"按钮13"}, "0"},
    {"",
     {"按钮3", "按钮4", "按钮5", "按钮6", "按钮7", "按钮8", "按钮9", "按钮10", "按钮11", "按钮13"},
     "1234567890"},
    {"138", {"按钮13", "按钮13", "按钮3"}, "138001"},
    {"0", {"按钮13"}, "00"},
    {" 86 ", {"按钮11"}, " 86 9"},
};

class KeypadKeys : public ClientTest, public testing::WithParamInterface<KeyRow> {};

TEST_P(KeypadKeys, AppendInOrderAfterTypedTextWhereverTheCaretStood) {
  const KeyRow& row = GetParam();
  QLineEdit* number = edit_box("拨打电话");
  number->setText(QString::fromUtf8(row.typed));
  number->setCursorPosition(0);
  for (const char* key : row.keys) {
    click(key);
    EXPECT_EQ(QApplication::focusWidget(), number) << key;
  }
  EXPECT_EQ(content("拨打电话"), row.expected);
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Keypad, KeypadKeys, testing::ValuesIn(kKeys),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

using Keypad = ClientTest;

TEST_F(Keypad, ClearEmptiesAndLeavesTheFocusOnTheKey) {
  QLineEdit* number = edit_box("拨打电话");
  for (const char* before : {"13800138000", ""}) {
    number->setText(QString::fromUtf8(before));
    click("按钮12");
    EXPECT_EQ(content("拨打电话"), "") << before;
    EXPECT_NE(QApplication::focusWidget(), number) << before;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(Keypad, VoiceCodeBoxIsEmptiedOnEveryVisit) {
  QLineEdit* code = edit_box("编辑框4");
  EXPECT_EQ(content("编辑框4"), "语音验证码") << "the placeholder stands until the first visit";
  visit(code);
  EXPECT_EQ(content("编辑框4"), "");
  QTest::keyClicks(code, "4711");
  EXPECT_EQ(content("编辑框4"), "4711");
  QTest::keyClick(code, Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  ASSERT_EQ(QApplication::focusWidget(), code);
  EXPECT_EQ(content("编辑框4"), "") << "coming back by keyboard erases the code too";
}

}  // namespace
}  // namespace client_test
