// Placeholder handlers: bound by the form, their flows are not written yet.
#include "client/handlers.h"

extern "C" void OnExitChosen() {}
extern "C" void OpenMallShopping() {}
extern "C" void OpenLadiesMall() {}
extern "C" void OpenCrownShops() {}
extern "C" void OpenAirTickets() {}
extern "C" void OpenGeneralChannel() {}
extern "C" void OpenMotherAndBaby() {}
extern "C" void OpenAppliances() {}
extern "C" void OpenFlashSales() {}
extern "C" void OpenBeauty() {}
extern "C" void OpenKoreanWomenswear() {}
extern "C" void OpenSlimmingShop() {}
extern "C" void OpenMenswear() {}
extern "C" void OpenKoreanFlagship() {}
extern "C" void OpenRegistrationHelp() {}
