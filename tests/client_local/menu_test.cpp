// The menu's commands: each shopping item opens its own fixed address,
// "注册帮助" opens the page beside the program on every choice, "退出" ends the
// message loop.
#include <QTest>
#include <QUrl>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/core/window/window_api.h"
#include "tests/client_local/client_fixture.h"
#include "tests/window/url_catcher.h"
#include "ui/control_ids.h"

namespace client_test {
namespace {

using program::Const;

struct ShopRow {
  const char* item;
  Const target;
};

void PrintTo(const ShopRow& row, std::ostream* out) {
  *out << row.item;
}

const ShopRow kShops[] = {
    {"商城购物", Const::ShopMall},
    {"靓女商城", Const::ShopLadies},
    {"淘宝皇冠店铺精选", Const::ShopCrown},
    {"机票频道", Const::ShopAirTickets},
    {"综合频道", Const::ShopGeneral},
    {"母婴频道", Const::ShopMotherBaby},
    {"电器城频道", Const::ShopAppliances},
    {"秒杀及满立减", Const::ShopFlashSales},
    {"美容频道", Const::ShopBeauty},
    {"韩版衣舍(女)", Const::ShopKoreanWomenswear},
    {"瘦身官方", Const::ShopSlimming},
    {"男装牛逼", Const::ShopMenswear},
    {"韩都旗舰店", Const::ShopKoreanFlagship},
};

class ShoppingItems : public ClientTest, public testing::WithParamInterface<ShopRow> {};

TEST_P(ShoppingItems, OpensItsAddressOnceAndNothingElse) {
  window_test::UrlCatcher catcher;
  choose(GetParam().item);
  ASSERT_EQ(catcher.urls.size(), 1u);
  EXPECT_EQ(catcher.urls[0].toString(QUrl::FullyEncoded).toStdString(), utf8(GetParam().target));
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Menu, ShoppingItems, testing::ValuesIn(kShops),
                         [](const auto& info) { return "item" + std::to_string(info.index + 1); });

// Each target is of its kind: a channel page with pid and eventid, or a
// click-through with e and p; no two items share one.
TEST(ShoppingTargets, AreOfTheirKindAndDistinct) {
  std::set<std::string> seen;
  for (size_t i = 0; i < std::size(kShops); ++i) {
    const QUrl url(QString::fromStdString(std::string(program::const_source(kShops[i].target))));
    const QString query = url.query();
    if (i < 9) {
      EXPECT_TRUE(url.path().startsWith("/go/chn/tbk_channel/")) << kShops[i].item;
      EXPECT_TRUE(query.startsWith("pid=") && query.contains("&eventid=")) << kShops[i].item;
    } else {
      EXPECT_EQ(url.path(), "/t_8") << kShops[i].item;
      EXPECT_TRUE(query.startsWith("e=") && query.contains("&p=")) << kShops[i].item;
    }
    EXPECT_TRUE(seen.insert(url.toString().toStdString()).second) << kShops[i].item;
  }
}

using MenuCommands = ClientTest;

TEST_F(MenuCommands, RegistrationHelpOpensThePageBesideTheProgramEachTime) {
  window_test::UrlCatcher catcher;
  choose("注册帮助");
  choose("注册帮助");
  const QUrl expected =
      QUrl::fromLocalFile(QString::fromStdString(program_dir() + "/使用帮助.html"));
  ASSERT_EQ(catcher.urls.size(), 2u);
  EXPECT_EQ(catcher.urls[0], expected);
  EXPECT_EQ(catcher.urls[1], expected);
  EXPECT_EQ(address_of(ui::id::超级链接框1), program_dir() + "/使用帮助.html");
  EXPECT_FALSE(find("超级链接框1")->isVisible());
  EXPECT_TRUE(messages.empty());
}

TEST_F(MenuCommands, HelpPageLiesBesideTheProgramInItsCodePage) {
  const char* bin = std::getenv("LYB_PROGRAM_DIR");
  ASSERT_NE(bin, nullptr);
  std::ifstream in(std::string(bin) + "/使用帮助.html", std::ios::binary);
  ASSERT_TRUE(in) << "the build copies the help page into the program directory";
  const std::string page{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(page.find("charset=gb2312"), std::string::npos);
  // "注册" in GBK: the page is not UTF-8.
  EXPECT_NE(page.find("\xd7\xa2\xb2\xe1"), std::string::npos);
}

TEST_F(MenuCommands, ExitEndsTheMessageLoop) {
  bool timed_out = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timed_out = true;
    window()->close();
  });
  guard.start(5000);
  QTimer::singleShot(0, window(), [this] { choose("退出"); });
  core::window::run_message_loop();
  EXPECT_FALSE(timed_out);
  EXPECT_FALSE(window() != nullptr && window()->isVisible());
}

}  // namespace
}  // namespace client_test
