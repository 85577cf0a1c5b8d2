// Element ids of the main window's form, under the controls' own names.
#pragma once

#include <cstdint>

#include "runtime/abi.h"

namespace ui::id {

inline constexpr uint32_t kWindowRecord = abi::kWindowElementId;

inline constexpr uint32_t 选择夹1 = 0x16010f7a;
inline constexpr uint32_t 分组框1 = 0x16010f7d;
inline constexpr uint32_t 超文本浏览框2 = 0x16010f97;
inline constexpr uint32_t 超文本浏览框3 = 0x16010f98;
inline constexpr uint32_t 编辑框1 = 0x16010f9b;
inline constexpr uint32_t 按钮1 = 0x16010f9d;
inline constexpr uint32_t 图片框1 = 0x16010f9e;
inline constexpr uint32_t 分组框2 = 0x16010f9f;
inline constexpr uint32_t 标签1 = 0x16010fa0;
inline constexpr uint32_t 标签2 = 0x16010fa1;
inline constexpr uint32_t 标签3 = 0x16010fa2;
inline constexpr uint32_t 编辑框2 = 0x16010fa3;
inline constexpr uint32_t 分组框3 = 0x16010fa4;
inline constexpr uint32_t 标签5 = 0x16010fa6;
inline constexpr uint32_t 标签4 = 0x16010fa7;
inline constexpr uint32_t 标签6 = 0x16010fa8;
inline constexpr uint32_t 按钮2 = 0x16010fa9;
inline constexpr uint32_t 分组框4 = 0x16010faa;
inline constexpr uint32_t 按钮3 = 0x16010fae;
inline constexpr uint32_t 拨打电话 = 0x16010faf;
inline constexpr uint32_t 按钮4 = 0x16010fb0;
inline constexpr uint32_t 按钮5 = 0x16010fb1;
inline constexpr uint32_t 按钮6 = 0x16010fb2;
inline constexpr uint32_t 按钮7 = 0x16010fb3;
inline constexpr uint32_t 按钮8 = 0x16010fb4;
inline constexpr uint32_t 按钮9 = 0x16010fb5;
inline constexpr uint32_t 按钮10 = 0x16010fb6;
inline constexpr uint32_t 按钮11 = 0x16010fb7;
inline constexpr uint32_t 按钮12 = 0x16010fb8;
inline constexpr uint32_t 按钮13 = 0x16010fb9;
inline constexpr uint32_t 按钮14 = 0x16010fba;
inline constexpr uint32_t 分组框5 = 0x1601103a;
inline constexpr uint32_t 标签7 = 0x1601103b;
inline constexpr uint32_t 编辑框3 = 0x1601103c;
inline constexpr uint32_t 按钮15 = 0x1601103e;
inline constexpr uint32_t 编辑框4 = 0x1601103f;
inline constexpr uint32_t 按钮16 = 0x16011040;
inline constexpr uint32_t 标签8 = 0x16011041;
inline constexpr uint32_t 标签9 = 0x16011042;
inline constexpr uint32_t 标签10 = 0x16011043;
inline constexpr uint32_t 标签11 = 0x16011044;
inline constexpr uint32_t 时钟1 = 0x1601104d;
inline constexpr uint32_t 超级链接框1 = 0x16011066;

// Menu items, in menu order.
inline constexpr uint32_t kMenu = 0x26010f8d;
inline constexpr uint32_t kMenuExit = 0x26010f8e;
inline constexpr uint32_t kMenuWeekly = 0x26010f8f;
inline constexpr uint32_t kMenuClaim = 0x26010f90;
inline constexpr uint32_t kMenuPicks = 0x26010f93;
inline constexpr uint32_t kMenuMall = 0x26010f94;
inline constexpr uint32_t kMenuLadies = 0x26011067;
inline constexpr uint32_t kMenuCrownShops = 0x26011068;
inline constexpr uint32_t kMenuAirTickets = 0x26011069;
inline constexpr uint32_t kMenuGeneral = 0x2601106a;
inline constexpr uint32_t kMenuMotherBaby = 0x2601106b;
inline constexpr uint32_t kMenuAppliances = 0x2601106d;
inline constexpr uint32_t kMenuFlashSales = 0x2601106e;
inline constexpr uint32_t kMenuBeauty = 0x2601106f;
inline constexpr uint32_t kMenuKoreanWomenswear = 0x26010f95;
inline constexpr uint32_t kMenuSlimming = 0x26011070;
inline constexpr uint32_t kMenuMenswear = 0x26011071;
inline constexpr uint32_t kMenuKoreanFlagship = 0x26010f96;
inline constexpr uint32_t kMenuHelp = 0x26010fab;
inline constexpr uint32_t kMenuRegistrationHelp = 0x26010fac;

}  // namespace ui::id
