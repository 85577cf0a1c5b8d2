// The menu's commands: exit, the shopping links and the registration help.
// Each is one step that opens or closes something and examines no reply.
#include "client/controls.h"
#include "client/handlers.h"
#include "image/start/konst.h"
#include "runtime/window_commands.h"

using konst::Const;

extern "C" void OnExitChosen() {
  rt::close_window(rt::kMainWindow);
}

extern "C" void OpenMallShopping() {
  rt::open_url(konst::text(Const::ShopMall));
}

extern "C" void OpenLadiesMall() {
  rt::open_url(konst::text(Const::ShopLadies));
}

extern "C" void OpenCrownShops() {
  rt::open_url(konst::text(Const::ShopCrown));
}

extern "C" void OpenAirTickets() {
  rt::open_url(konst::text(Const::ShopAirTickets));
}

extern "C" void OpenGeneralChannel() {
  rt::open_url(konst::text(Const::ShopGeneral));
}

extern "C" void OpenMotherAndBaby() {
  rt::open_url(konst::text(Const::ShopMotherBaby));
}

extern "C" void OpenAppliances() {
  rt::open_url(konst::text(Const::ShopAppliances));
}

extern "C" void OpenFlashSales() {
  rt::open_url(konst::text(Const::ShopFlashSales));
}

extern "C" void OpenBeauty() {
  rt::open_url(konst::text(Const::ShopBeauty));
}

extern "C" void OpenKoreanWomenswear() {
  rt::open_url(konst::text(Const::ShopKoreanWomenswear));
}

extern "C" void OpenSlimmingShop() {
  rt::open_url(konst::text(Const::ShopSlimming));
}

extern "C" void OpenMenswear() {
  rt::open_url(konst::text(Const::ShopMenswear));
}

extern "C" void OpenKoreanFlagship() {
  rt::open_url(konst::text(Const::ShopKoreanFlagship));
}

// The hidden hyperlink box opens the page beside the program as a clicked
// link would; its target is set afresh each time.
extern "C" void OpenRegistrationHelp() {
  const rt::Text page = client::program_path(konst::text(Const::HelpPage));
  rt::write_text_property(client::k超级链接框1, abi::property::Address, page);
  rt::open_link(client::k超级链接框1);
}
