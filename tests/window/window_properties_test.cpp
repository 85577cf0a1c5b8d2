// Properties read and written through the runtime's entries, and the window
// commands.
#include <QBuffer>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstring>

#include "platform/core/commands/command_table.h"
#include "platform/core/memory/memory.h"
#include "platform/core/window/qt/controls.h"
#include "platform/core/window/qt/tab_control.h"
#include "platform/core/window/window_api.h"
#include "tests/support/temp_dir.h"
#include "tests/window/url_catcher.h"
#include "tests/window/window_fixture.h"
#include "ui/control_ids.h"

namespace window_test {
namespace {

using namespace ui::id;
using core::window::read_property;
using core::window::write_property;

constexpr uint32_t kWin = abi::kMainWindowId;

uint64_t word(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

// Reads a text property, checks it is a fresh block, and frees it.
std::string read_text(uint32_t control, uint32_t property) {
  const size_t before = core::live_blocks();
  const abi::ArgRecord r = read_property(kWin, control, property, -1);
  EXPECT_EQ(r.tag, abi::tag::Text);
  EXPECT_EQ(core::live_blocks(), before + 1);
  std::string text(reinterpret_cast<const char*>(static_cast<uintptr_t>(r.value)));
  core::free_memory(reinterpret_cast<void*>(static_cast<uintptr_t>(r.value)));
  return text;
}

std::vector<uint8_t> bmp_bytes(QColor colour) {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  std::vector<uint8_t> block(8 + out.size());
  const uint32_t header[2] = {1, static_cast<uint32_t>(out.size())};
  std::memcpy(block.data(), header, 8);
  std::memcpy(block.data() + 8, out.data(), out.size());
  return block;
}

class WindowProperties : public WindowTest {};

struct TextRow {
  uint32_t control;
  const char* written;  // GBK
};

TEST_F(WindowProperties, TextsReadBackAsFreshBlocks) {
  const TextRow rows[] = {
      {编辑框3, "13800000000"},
      {标签6, "\xc3\xe2\xb7\xd1 15 \xb7\xd6\xd6\xd3"},  // "免费 15 分钟"
      {标签1, "<b>x</b>"},
      {拨打电话, ""},
  };
  for (const TextRow& row : rows) {
    write_property(kWin, row.control, abi::property::Content, -1, word(row.written), 0);
    EXPECT_EQ(read_text(row.control, abi::property::Content), row.written);
  }
  // Two reads of one property are two blocks.
  const abi::ArgRecord a = read_property(kWin, 编辑框3, abi::property::Content, -1);
  const abi::ArgRecord b = read_property(kWin, 编辑框3, abi::property::Content, -1);
  EXPECT_NE(a.value, b.value);
  core::free_memory(reinterpret_cast<void*>(static_cast<uintptr_t>(a.value)));
  core::free_memory(reinterpret_cast<void*>(static_cast<uintptr_t>(b.value)));
  // A null text is the empty text.
  write_property(kWin, 编辑框4, abi::property::Content, -1, 0, 0);
  EXPECT_EQ(read_text(编辑框4, abi::property::Content), "");
}

TEST_F(WindowProperties, LabelShowsMarkupAsItsCharacters) {
  write_property(kWin, 标签1, abi::property::Content, -1, word("<b>x</b>"), 0);
  auto* label = find<QLabel>("标签1");
  EXPECT_EQ(label->text(), QStringLiteral("<b>x</b>"));
  EXPECT_EQ(label->text().size(), 8);
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST_F(WindowProperties, NumbersAndSwitches) {
  EXPECT_EQ(read_property(kWin, 时钟1, abi::property::Content, -1).value, 0u);
  write_property(kWin, 时钟1, abi::property::Content, -1, 10000, 0);
  const abi::ArgRecord interval = read_property(kWin, 时钟1, abi::property::Content, -1);
  EXPECT_EQ(interval.value, 10000u);
  EXPECT_EQ(interval.tag, abi::tag::Int);
  write_property(kWin, 时钟1, abi::property::Content, -1, 0, 0);

  EXPECT_EQ(read_property(kWin, 按钮2, abi::property::Disabled, -1).value, 1u);
  write_property(kWin, 按钮2, abi::property::Disabled, -1, 0, 0);
  EXPECT_TRUE(find("按钮2")->isEnabled());
  EXPECT_EQ(read_property(kWin, 按钮2, abi::property::Disabled, -1).value, 0u);

  write_property(kWin, 选择夹1, abi::property::CurrentPage, -1, 1, 0);
  EXPECT_EQ(read_property(kWin, 选择夹1, abi::property::CurrentPage, -1).value, 1u);
  EXPECT_TRUE(find("编辑框2")->isVisible());
  // A page that does not exist leaves the current one.
  write_property(kWin, 选择夹1, abi::property::CurrentPage, -1, 7, 0);
  write_property(kWin, 选择夹1, abi::property::CurrentPage, -1, static_cast<uint32_t>(-1), 0);
  EXPECT_EQ(read_property(kWin, 选择夹1, abi::property::CurrentPage, -1).value, 1u);
}

TEST_F(WindowProperties, PictureShowsBmpBytesAndNothingForOthers) {
  auto* box = find<QLabel>("图片框1");
  const std::vector<uint8_t> good = bmp_bytes(Qt::red);
  write_property(kWin, 图片框1, abi::property::Picture, -1, word(good.data()), 0);
  ASSERT_FALSE(box->pixmap().isNull());
  EXPECT_EQ(box->pixmap().size(), QSize(4, 3));

  const abi::ArgRecord back = read_property(kWin, 图片框1, abi::property::Picture, -1);
  EXPECT_EQ(back.tag, abi::tag::Bytes);
  auto* block = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(back.value));
  EXPECT_EQ(std::vector<uint8_t>(block, block + good.size()), good);
  core::free_memory(block);

  const uint8_t junk[] = {1, 0, 0, 0, 4, 0, 0, 0, 'B', 'M', 0xFF, 0xFF};
  write_property(kWin, 图片框1, abi::property::Picture, -1, word(junk), 0);
  EXPECT_TRUE(box->pixmap().isNull());
  write_property(kWin, 图片框1, abi::property::Picture, -1, 0, 0);
  EXPECT_TRUE(box->pixmap().isNull());
}

TEST_F(WindowProperties, AddressesAreKeptAsGiven) {
  test_support::TempDir dir;
  const std::string page = dir / "4.html";
  write_property(kWin, 超文本浏览框2, abi::property::Address, -1, word(page.c_str()), 0);
  EXPECT_EQ(read_text(超文本浏览框2, abi::property::Address), page);
  write_property(kWin, 超级链接框1, abi::property::Address, -1, word("http://127.0.0.1/x"), 0);
  EXPECT_EQ(read_text(超级链接框1, abi::property::Address), "http://127.0.0.1/x");
}

TEST_F(WindowProperties, AppendTextGoesToTheEndWherTheCaretIs) {
  auto* number = find<QLineEdit>("拨打电话");
  number->setText(QStringLiteral("12"));
  number->setCursorPosition(0);
  const abi::ArgRecord args[] = {ref(拨打电话, abi::kind::EditBox), {word("3"), 0, abi::tag::Text}};
  core::call_core_command(abi::cmd::AppendText, 2, args);
  EXPECT_EQ(number->text(), QStringLiteral("123"));
  const abi::ArgRecord focus[] = {ref(拨打电话, abi::kind::EditBox)};
  bring_forward(number);
  core::call_core_command(abi::cmd::SetFocusTo, 1, focus);
  EXPECT_EQ(QApplication::focusWidget(), number);
}

TEST_F(WindowProperties, OpenLinkOpensTheTargetLocalPathsIncluded) {
  test_support::TempDir data;
  test_support::ScopedEnv xdg("XDG_DATA_HOME", data.path().string());
  UrlCatcher catcher;
  const abi::ArgRecord link[] = {ref(超级链接框1, abi::kind::HyperlinkBox)};
  write_property(kWin, 超级链接框1, abi::property::Address, -1,
                 word("c:\\\xca\xb9\xd3\xc3\xb0\xef\xd6\xfa.html"), 0);
  core::call_core_command(abi::cmd::OpenLink, 1, link);
  write_property(kWin, 超级链接框1, abi::property::Address, -1, word("http://127.0.0.1:1/a?b=c"),
                 0);
  core::call_core_command(abi::cmd::OpenLink, 1, link);
  ASSERT_EQ(catcher.urls.size(), 2u);
  EXPECT_EQ(catcher.urls[0].toLocalFile().toStdString(),
            (data.path() / "winapi/drive_c/使用帮助.html").string());
  EXPECT_EQ(catcher.urls[1].toString(), QStringLiteral("http://127.0.0.1:1/a?b=c"));
}

TEST_F(WindowProperties, ShowMessageWritesToStderrWithoutABox) {
  test_support::ScopedEnv mode("WINAPI_MSGBOX", "stderr");
  const abi::ArgRecord plain[] = {{word("\xba\xc3"), 0, abi::tag::Text}, {0, 0, abi::tag::Int}, {}};
  const abi::ArgRecord titled[] = {
      {word("x"), 0, abi::tag::Text}, {0, 0, abi::tag::Int}, {word("T"), 0, abi::tag::Text}};
  testing::internal::CaptureStderr();
  core::call_core_command(abi::cmd::ShowMessage, 3, plain);
  core::call_core_command(abi::cmd::ShowMessage, 3, titled);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "[岚音宝] 好\n[T] x\n");
}

TEST_F(WindowProperties, ShowMessageBoxIsModalAndKeepsEventsRunning) {
  test_support::ScopedEnv mode("WINAPI_MSGBOX", "box");
  write_property(kWin, 时钟1, abi::property::Content, -1, 10, 0);
  QString shown;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(QTest::qWaitFor([this] { return routines().size() >= 2; }, 2000));  // ticks
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
    QTest::keyClick(box, Qt::Key_Enter);
  });
  const abi::ArgRecord args[] = {{word("<i>ok</i>"), 0, abi::tag::Text}, {0, 0, abi::tag::Int}, {}};
  core::call_core_command(abi::cmd::ShowMessage, 3, args);
  write_property(kWin, 时钟1, abi::property::Content, -1, 0, 0);
  EXPECT_EQ(shown, QStringLiteral("<i>ok</i>"));
  EXPECT_GE(routines().size(), 2u);
}

using WindowFaults = WindowProperties;

TEST_F(WindowFaults, UnknownIdsAndPropertiesAreNamedInternalFaults) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(read_property(kWin, 0x16001234, 8, -1), "has no control 0x16001234");
  EXPECT_DEATH(read_property(0x52019999, 编辑框1, 8, -1), "no window 0x52019999");
  EXPECT_DEATH(read_property(kWin, 按钮1, 11, -1), "0x16010f9d \\(button\\) has no property 11");
  EXPECT_DEATH(write_property(kWin, 标签1, 8, 2, 0, 0), "no property element 2");
  const abi::ArgRecord not_edit[] = {ref(标签1, abi::kind::Label), {word("1"), 0, abi::tag::Text}};
  EXPECT_DEATH(core::call_core_command(abi::cmd::AppendText, 2, not_edit),
               "AppendText: control \\(label\\) is not of kind edit box");
}

}  // namespace
}  // namespace window_test
