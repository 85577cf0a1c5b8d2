// The menu bar's 20 items in menu order, and the 38 event bindings.
#include "ui/control_ids.h"
#include "ui/form_tables.h"
#include "ui/gbk_literal.h"

namespace ui {
namespace {

using namespace ui::id;
using R = program::Routine;
using abi::event::Clicked;
using abi::event::Created;
using abi::event::GotFocus;
using abi::event::Tick;
constexpr int32_t kChosen = 0;

}  // namespace

const std::vector<MenuRow>& menu_rows() {
  static const std::vector<MenuRow> rows = {
      {kMenu, 0, "菜单"},
      {kMenuExit, 1, "退出"},
      {kMenuWeekly, 0, "每周领取"},
      {kMenuClaim, 1, "领取15分钟"},
      {kMenuPicks, 0, "精彩推荐"},
      {kMenuMall, 1, "商城购物"},
      {kMenuLadies, 1, "靓女商城"},
      {kMenuCrownShops, 1, "淘宝皇冠店铺精选"},
      {kMenuAirTickets, 1, "机票频道"},
      {kMenuGeneral, 1, "综合频道"},
      {kMenuMotherBaby, 1, "母婴频道"},
      {kMenuAppliances, 1, "电器城频道"},
      {kMenuFlashSales, 1, "秒杀及满立减"},
      {kMenuBeauty, 1, "美容频道"},
      {kMenuKoreanWomenswear, 1, "韩版衣舍(女)"},
      {kMenuSlimming, 1, "瘦身官方"},
      {kMenuMenswear, 1, "男装牛逼"},
      {kMenuKoreanFlagship, 1, "韩都旗舰店"},
      {kMenuHelp, 0, "帮助"},
      {kMenuRegistrationHelp, 1, "注册帮助"},
  };
  return rows;
}

const std::vector<Binding>& bindings() {
  static const std::vector<Binding> rows = {
      {kWindowRecord, Created, R::OnWindowCreated},
      {时钟1, Tick, R::WatchdogTick},
      {按钮16, Clicked, R::RequestVoiceCode},
      {按钮15, Clicked, R::SubmitRegistration},
      {编辑框3, GotFocus, R::OnRegisterMobileGotFocus},
      {编辑框4, GotFocus, R::OnVoiceCodeGotFocus},
      {编辑框2, GotFocus, R::OnLoginMobileGotFocus},
      {编辑框1, GotFocus, R::OnPictureCodeGotFocus},
      {按钮1, Clicked, R::LogIn},
      {按钮2, Clicked, R::ClaimAndShowBalance},
      {按钮14, Clicked, R::OnDialClicked},
      {按钮3, Clicked, R::OnKey1Clicked},
      {按钮4, Clicked, R::OnKey2Clicked},
      {按钮5, Clicked, R::OnKey3Clicked},
      {按钮6, Clicked, R::OnKey4Clicked},
      {按钮7, Clicked, R::OnKey5Clicked},
      {按钮8, Clicked, R::OnKey6Clicked},
      {按钮9, Clicked, R::OnKey7Clicked},
      {按钮10, Clicked, R::OnKey8Clicked},
      {按钮11, Clicked, R::OnKey9Clicked},
      {按钮13, Clicked, R::OnKey0Clicked},
      {按钮12, Clicked, R::OnClearClicked},
      {kMenuExit, kChosen, R::OnExitChosen},
      {kMenuClaim, kChosen, R::ClaimFromMenu},
      {kMenuMall, kChosen, R::OpenMallShopping},
      {kMenuLadies, kChosen, R::OpenLadiesMall},
      {kMenuCrownShops, kChosen, R::OpenCrownShops},
      {kMenuAirTickets, kChosen, R::OpenAirTickets},
      {kMenuGeneral, kChosen, R::OpenGeneralChannel},
      {kMenuMotherBaby, kChosen, R::OpenMotherAndBaby},
      {kMenuAppliances, kChosen, R::OpenAppliances},
      {kMenuFlashSales, kChosen, R::OpenFlashSales},
      {kMenuBeauty, kChosen, R::OpenBeauty},
      {kMenuKoreanWomenswear, kChosen, R::OpenKoreanWomenswear},
      {kMenuSlimming, kChosen, R::OpenSlimmingShop},
      {kMenuMenswear, kChosen, R::OpenMenswear},
      {kMenuKoreanFlagship, kChosen, R::OpenKoreanFlagship},
      {kMenuRegistrationHelp, kChosen, R::OpenRegistrationHelp},
  };
  return rows;
}

std::vector<form::EventBinding> events_of(uint32_t element_id) {
  std::vector<form::EventBinding> out;
  for (const Binding& b : bindings()) {
    if (b.element == element_id) {
      out.push_back({b.event, program::code_offset(b.routine)});
    }
  }
  return out;
}

std::vector<form::Element> menu_elements() {
  std::vector<form::Element> out;
  for (const MenuRow& row : menu_rows()) {
    form::MenuItemRecord item;
    item.level = row.level;
    item.caption = gbk(row.caption);
    if (const auto events = events_of(row.id); !events.empty()) {
      item.handler = events.front().code_offset;
    }
    out.push_back({row.id, std::move(item)});
  }
  return out;
}

}  // namespace ui
