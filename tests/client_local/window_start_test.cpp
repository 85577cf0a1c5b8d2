// Start-up and the advertisement pages: the skin call's words with and
// without a skin file, the browser boxes' addresses, the pages rewritten from
// the templates on every visit to either phone-number box.
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "client/handlers.h"
#include "tests/client_local/client_fixture.h"
#include "ui/control_ids.h"

namespace client_test {
namespace {

namespace fs = std::filesystem;
using program::Const;

std::string file_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void put_file(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string as_string(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

class WindowStart : public ClientTest {
 protected:
  fs::path dir() const { return program_dir(); }
  fs::path skin() const { return dir() / "44.she"; }

  void TearDown() override {
    fs::remove(skin());
    ClientTest::TearDown();
  }

  const DllCall* last_skin_call() const {
    const DllCall* found = nullptr;
    for (const DllCall& c : dll_calls()) {
      if (c.function == program::Dll::SkinH_AttachRes) {
        found = &c;
      }
    }
    return found;
  }
};

TEST_F(WindowStart, CreatedPointsBothBoxesAtThePagesBesideTheProgram) {
  EXPECT_EQ(address_of(ui::id::超文本浏览框2), program_dir() + "/ad/4.html");
  EXPECT_EQ(address_of(ui::id::超文本浏览框3), program_dir() + "/ad/2.html");
  EXPECT_TRUE(messages.empty());
}

TEST_F(WindowStart, MissingSkinFileAttachesNothingAndSaysNothing) {
  fs::remove(skin());
  OnWindowCreated();
  const DllCall* call = last_skin_call();
  ASSERT_NE(call, nullptr);
  ASSERT_EQ(call->words.size(), 6u);
  EXPECT_EQ(call->words[0], 0u) << "no bytes: a null address";
  EXPECT_EQ(call->words[1], 0u);
  EXPECT_EQ(reinterpret_cast<const char*>(call->words[2]),
            reinterpret_cast<const char*>(const_address(Const::Empty)));
  EXPECT_EQ(call->words[3] | call->words[4] | call->words[5], 0u);
  QTest::qWait(20);
  EXPECT_TRUE(window()->isVisible());
  EXPECT_TRUE(messages.empty());
}

TEST_F(WindowStart, SkinFileIsHandedOverWholeWithItsSize) {
  const std::string bytes("SKIN\0\x01\x02 data", 12);
  put_file(skin(), bytes);
  OnWindowCreated();
  const DllCall* call = last_skin_call();
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->words[1], bytes.size());
  EXPECT_NE(call->words[0], 0u);
  EXPECT_EQ(call->words[3] | call->words[4] | call->words[5], 0u);
  EXPECT_TRUE(messages.empty());
}

struct VisitRow {
  const char* box;
  const char* typed;
  const char* content_after;  // the box keeps or loses what was typed
};

void PrintTo(const VisitRow& row, std::ostream* out) {
  *out << row.box << " holding \"" << row.typed << '"';
}

class AdPagesOnVisit : public ClientTest, public testing::WithParamInterface<VisitRow> {};

// Older pages are replaced by the templates byte for
// byte on every visit, however often it happens.
TEST_P(AdPagesOnVisit, RewritesBothPagesOverOlderOnes) {
  const VisitRow& row = GetParam();
  const fs::path ad = fs::path(program_dir()) / "ad";
  fs::create_directories(ad);
  for (int round = 0; round < 2; ++round) {
    put_file(ad / "2.html", "old list page");
    put_file(ad / "4.html", std::string(5000, 'x'));
    QLineEdit* box = edit_box(row.box);
    box->setText(QString::fromUtf8(row.typed));
    visit(window()->findChild<QWidget*>(QStringLiteral("超文本浏览框2")));
    visit(box);
    EXPECT_EQ(file_bytes(ad / "2.html"), as_string(program::list_page_template()));
    EXPECT_EQ(file_bytes(ad / "4.html"), as_string(program::banner_page_template()));
    EXPECT_EQ(content(row.box), row.content_after);
  }
  EXPECT_EQ(address_of(ui::id::超文本浏览框2), program_dir() + "/ad/4.html");
  EXPECT_EQ(address_of(ui::id::超文本浏览框3), program_dir() + "/ad/2.html");
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(PhoneBoxes, AdPagesOnVisit,
                         testing::Values(VisitRow{"编辑框2", "13800138000", "13800138000"},
                                         VisitRow{"编辑框3", "13800138000", ""},
                                         VisitRow{"编辑框3", "填写手机号码", ""}),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

TEST_F(WindowStart, MissingAdDirectoryIsMade) {
  const fs::path ad = fs::path(program_dir()) / "ad";
  fs::remove_all(ad);
  visit(edit_box("编辑框2"));
  EXPECT_EQ(file_bytes(ad / "2.html"), as_string(program::list_page_template()));
  EXPECT_EQ(file_bytes(ad / "4.html"), as_string(program::banner_page_template()));
}

}  // namespace
}  // namespace client_test
