// The HTML view and the support-library commands.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <fstream>

#include "platform/core/window/qt/html_view.h"
#include "platform/support/library_commands.h"
#include "tests/support/temp_dir.h"
#include "tests/window/url_catcher.h"

namespace {

using test_support::ScopedEnv;
using test_support::TempDir;

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct PageRow {
  const char* what;
  std::string bytes;
  const char* shown;  // UTF-8
};

TEST(HtmlView, DecodesThePagesDeclaredCharset) {
  const PageRow rows[] = {
      {"gb2312",
       "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
       "charset=gb2312\"></head><body>\xb8\xa3</body></html>",
       "福"},
      {"GBK quoted", "<meta charset=\"GBK\"><p>\xb8\xa3</p>", "福"},
      {"utf-8", "<meta charset=utf-8><p>\xe7\xa6\x8f</p>", "福"},
      {"none", "<p>\xb8\xa3</p>", "福"},
      {"scripts and styles hidden",
       "<head><meta charset=gb2312><style>p{margin:0;}</style><script>"
       "document.oncontextmenu=function(e){return   false;}</script></head>"
       "<body onselectstart=\"return false\"><p>\xb8\xa3</p><!--}Page--></body>",
       "福"},
      {"banner without a body",
       "<head><meta charset=gb2312></head><script type=\"text/javascript\">alimama_pid='x';"
       "alimama_tks={};</script><script src=\"http://127.0.0.1:1/w.js\"></script>"
       "<!--}Page--><div style=\"display:none\"><script src=\"s.js\"></script></div>"
       "</body></html>",
       ""},
  };
  TempDir dir;
  for (const PageRow& row : rows) {
    write_file(dir / "page.html", row.bytes);
    core::window::HtmlView view;
    view.set_address(dir / "page.html");
    EXPECT_EQ(view.toPlainText().trimmed(), QString::fromUtf8(row.shown)) << row.what;
    EXPECT_EQ(view.address(), dir / "page.html");
  }
}

TEST(HtmlView, MissingPageShowsNothingAndLinksGoToTheDesktop) {
  TempDir dir;
  core::window::HtmlView view;
  view.resize(300, 200);
  view.set_address(dir / "missing.html");
  EXPECT_TRUE(view.toPlainText().isEmpty());
  EXPECT_EQ(view.contextMenuPolicy(), Qt::NoContextMenu);

  write_file(dir / "links.html",
             "<meta charset=gb2312><a href=\"http://127.0.0.1:1/shop\">x</a> "
             "<a href=\"other.html\">y</a>");
  view.set_address(dir / "links.html");
  window_test::UrlCatcher catcher;
  emit view.anchorClicked(QUrl(QStringLiteral("http://127.0.0.1:1/shop")));
  emit view.anchorClicked(QUrl(QStringLiteral("other.html")));
  ASSERT_EQ(catcher.urls.size(), 2u);
  EXPECT_EQ(catcher.urls[0].toString(), QStringLiteral("http://127.0.0.1:1/shop"));
  EXPECT_EQ(catcher.urls[1].toLocalFile().toStdString(), dir / "other.html");
  EXPECT_EQ(view.source(), QUrl());  // the view itself never follows a link

  // A page that goes missing empties the box again.
  view.set_address(dir / "gone.html");
  EXPECT_TRUE(view.toPlainText().isEmpty());
}

// A row wider than the box runs out of it rather than onto a second row,
// whether the page was shown before or after the box got its size.
TEST(HtmlView, RowsWiderThanTheBoxDoNotWrap) {
  TempDir dir;
  write_file(dir / "wide.html",
             "<meta charset=gb2312><p>one two three four five six seven eight nine ten</p>"
             "<p style=\"text-align:center\">eleven twelve thirteen fourteen fifteen</p>");
  for (const bool sized_first : {true, false}) {
    core::window::HtmlView view;
    if (sized_first) {
      view.resize(40, 100);
    }
    view.set_address(dir / "wide.html");
    view.resize(40, 100);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    int rows = 0;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
      ASSERT_NE(block.layout(), nullptr);
      EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
      ++rows;
    }
    EXPECT_EQ(rows, 2) << "sized first: " << sized_first;
  }
}
TEST(LibraryCommands, ConvertImageFileWritesABitmapOnTheMappedDrive) {
  TempDir data;
  ScopedEnv xdg("XDG_DATA_HOME", data.path().string());
  QImage png(20, 10, QImage::Format_RGB32);
  png.fill(Qt::blue);
  std::filesystem::create_directories(data.path() / "winapi/drive_c");
  ASSERT_TRUE(png.save(QString::fromStdString((data.path() / "winapi/drive_c/010.png").string())));
  const char* source = "c:\\010.png";
  const char* target = "c:\\010.bmp";
  const abi::ArgRecord args[] = {{reinterpret_cast<uintptr_t>(source), 0, abi::tag::Text},
                                 {reinterpret_cast<uintptr_t>(target), 0, abi::tag::Text}};
  const abi::ArgRecord r = support::call_library_command(2, 4, 2, args);
  EXPECT_EQ(r.value, 1u);
  std::ifstream bmp(data.path() / "winapi/drive_c/010.bmp", std::ios::binary);
  char magic[2] = {};
  bmp.read(magic, 2);
  EXPECT_EQ(std::string(magic, 2), "BM");
  EXPECT_EQ(
      QImage(QString::fromStdString((data.path() / "winapi/drive_c/010.bmp").string())).size(),
      QSize(20, 10));
  // No picture to read: nothing written, no crash.
  const char* missing = "c:\\nothing.png";
  const abi::ArgRecord none[] = {{reinterpret_cast<uintptr_t>(missing), 0, abi::tag::Text},
                                 {reinterpret_cast<uintptr_t>(target), 0, abi::tag::Text}};
  EXPECT_EQ(support::call_library_command(2, 4, 2, none).value, 0u);
}

TEST(LibraryCommands, OpenUrlHandsTheAddressToTheDesktop) {
  window_test::UrlCatcher catcher;
  const char* url = "http://127.0.0.1:1/go/chn?pid=1&eventid=2";
  const abi::ArgRecord args[] = {{reinterpret_cast<uintptr_t>(url), 0, abi::tag::Text}};
  support::call_library_command(4, 0xe0, 1, args);
  ASSERT_EQ(catcher.urls.size(), 1u);
  EXPECT_EQ(catcher.urls[0].toString().toStdString(), url);
}

TEST(LibraryCommands, UnknownCommandIsANamedInternalFault) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(support::call_library_command(2, 0x8, 0, nullptr), "library 2 has no command 0x8");
  EXPECT_DEATH(support::call_library_command(3, 0x4, 0, nullptr), "library 3 has no command 0x4");
  EXPECT_DEATH(support::call_library_command(4, 0xe0, 0, nullptr), "OpenUrl: argument 1");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
