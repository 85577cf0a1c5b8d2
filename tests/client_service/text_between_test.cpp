// Cutting a text out between two markers, on the runtime's text commands.
#include <string>

#include "client/free_call.h"
#include "platform/gbk/gbk_text.h"
#include "tests/program/program_fixture.h"

#include <QString>

namespace client_test {
namespace {

struct BetweenRow {
  const char* name;
  const char* text;
  const char* start;
  const char* end;
  const char* expected;
};

class TextBetweenCases : public program_test::ProgramFixture,
                         public ::testing::WithParamInterface<BetweenRow> {};

std::string gbk(const char* utf8) {
  return gbk::from_qstring(QString::fromUtf8(utf8));
}

TEST_P(TextBetweenCases, CutsAfterTheFirstStart) {
  const BetweenRow& row = GetParam();
  const std::string text = gbk(row.text);
  const std::string start = gbk(row.start);
  const std::string end = gbk(row.end);
  const rt::Text between = client::TextBetween(text.c_str(), start.c_str(), end.c_str());
  EXPECT_EQ(std::string(between.view()), gbk(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Markers, TextBetweenCases,
    ::testing::Values(BetweenRow{"Plain", "<h2>1.2.3.4</h2>", "<h2>", "</h2>", "1.2.3.4"},
                      BetweenRow{"StartAtTheVeryEnd", "abc<h2>", "<h2>", "</h2>", ""},
                      BetweenRow{"EndBeforeStart", "</h2>x<h2>ip</h2>", "<h2>", "</h2>", "ip"},
                      BetweenRow{"NoStart", "1.2.3.4</h2>", "<h2>", "</h2>", ""},
                      BetweenRow{"NoEndAfterStart", "</h2><h2>1.2.3.4", "<h2>", "</h2>", ""},
                      BetweenRow{"EndRightAfterStart", "<h2></h2>", "<h2>", "</h2>", ""},
                      BetweenRow{"FirstOfTwo", "<h2>a</h2><h2>b</h2>", "<h2>", "</h2>", "a"},
                      BetweenRow{"EmptyText", "", "<h2>", "</h2>", ""},
                      BetweenRow{"ChineseBytes", "地址<h2>本机地址</h2>尾", "<h2>", "</h2>",
                                 "本机地址"},
                      BetweenRow{"CaseCounts", "<H2>x</H2><h2>y</h2>", "<h2>", "</h2>", "y"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace client_test
