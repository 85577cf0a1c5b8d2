#include "tests/support/program_routines.h"

#include <gtest/gtest.h>

#include "client/handlers.h"
#include "image/routine_list.h"

namespace test_support {
namespace {

struct HandlerRow {
  program::Routine routine;
  void (*entry)();
};

#define LYB_HANDLER(name) {program::Routine::name, &name},
const HandlerRow kHandlers[] = {
    // clang-format off
    LYB_HANDLER(OnKey0Clicked) LYB_HANDLER(OnKey1Clicked) LYB_HANDLER(OnKey2Clicked)
    LYB_HANDLER(OnKey3Clicked) LYB_HANDLER(OnKey4Clicked) LYB_HANDLER(OnKey5Clicked)
    LYB_HANDLER(OnKey6Clicked) LYB_HANDLER(OnKey7Clicked) LYB_HANDLER(OnKey8Clicked)
    LYB_HANDLER(OnKey9Clicked) LYB_HANDLER(OnClearClicked) LYB_HANDLER(OnDialClicked)
    LYB_HANDLER(OnWindowCreated) LYB_HANDLER(WatchdogTick) LYB_HANDLER(RequestVoiceCode)
    LYB_HANDLER(SubmitRegistration) LYB_HANDLER(OnRegisterMobileGotFocus)
    LYB_HANDLER(OnVoiceCodeGotFocus) LYB_HANDLER(OnLoginMobileGotFocus)
    LYB_HANDLER(OnPictureCodeGotFocus) LYB_HANDLER(LogIn) LYB_HANDLER(ClaimAndShowBalance)
    LYB_HANDLER(OnExitChosen) LYB_HANDLER(ClaimFromMenu) LYB_HANDLER(OpenMallShopping)
    LYB_HANDLER(OpenLadiesMall) LYB_HANDLER(OpenCrownShops) LYB_HANDLER(OpenAirTickets)
    LYB_HANDLER(OpenGeneralChannel) LYB_HANDLER(OpenMotherAndBaby) LYB_HANDLER(OpenAppliances)
    LYB_HANDLER(OpenFlashSales) LYB_HANDLER(OpenBeauty) LYB_HANDLER(OpenKoreanWomenswear)
    LYB_HANDLER(OpenSlimmingShop) LYB_HANDLER(OpenMenswear) LYB_HANDLER(OpenKoreanFlagship)
    LYB_HANDLER(OpenRegistrationHelp)
    // clang-format on
};
#undef LYB_HANDLER

}  // namespace

void run_program_routine(uint32_t code_offset) {
  for (const HandlerRow& row : kHandlers) {
    if (program::code_offset(row.routine) == code_offset) {
      row.entry();
      return;
    }
  }
  ADD_FAILURE() << "no handler at code offset " << code_offset;
}

}  // namespace test_support
