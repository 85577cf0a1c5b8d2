// Every routine of the program, in the order of the code section's routine
// table. A routine's code offset is its position here times the size of a
// routine record; the "0" key's handler comes first, at offset 0. Each name is
// also the routine's exported symbol in the program file, through which
// binding finds its native entry.
#pragma once

#include <cstdint>
#include <string_view>

// X(export name)
#define LYB_ROUTINES(X)                                                                    \
  /* dial pad */                                                                           \
  X(OnKey0Clicked)                                                                         \
  X(OnKey1Clicked)                                                                         \
  X(OnKey2Clicked)                                                                         \
  X(OnKey3Clicked)                                                                         \
  X(OnKey4Clicked)                                                                         \
  X(OnKey5Clicked)                                                                         \
  X(OnKey6Clicked)                                                                         \
  X(OnKey7Clicked)                                                                         \
  X(OnKey8Clicked)                                                                         \
  X(OnKey9Clicked)                                                                         \
  X(OnClearClicked)                                                                        \
  X(OnDialClicked)                                                                         \
  /* window, registration, login, claim */                                                 \
  X(OnWindowCreated)                                                                       \
  X(WatchdogTick)                                                                          \
  X(RequestVoiceCode)                                                                      \
  X(SubmitRegistration)                                                                    \
  X(OnRegisterMobileGotFocus)                                                              \
  X(OnVoiceCodeGotFocus)                                                                   \
  X(OnLoginMobileGotFocus)                                                                 \
  X(OnPictureCodeGotFocus)                                                                 \
  X(LogIn)                                                                                 \
  X(ClaimAndShowBalance)                                                                   \
  /* menu */                                                                               \
  X(OnExitChosen)                                                                          \
  X(ClaimFromMenu)                                                                         \
  X(OpenMallShopping)                                                                      \
  X(OpenLadiesMall)                                                                        \
  X(OpenCrownShops)                                                                        \
  X(OpenAirTickets)                                                                        \
  X(OpenGeneralChannel)                                                                    \
  X(OpenMotherAndBaby)                                                                     \
  X(OpenAppliances)                                                                        \
  X(OpenFlashSales)                                                                        \
  X(OpenBeauty)                                                                            \
  X(OpenKoreanWomenswear)                                                                  \
  X(OpenSlimmingShop)                                                                      \
  X(OpenMenswear)                                                                          \
  X(OpenKoreanFlagship)                                                                    \
  X(OpenRegistrationHelp)                                                                  \
  /* start sequence */                                                                     \
  X(ProgramEntry)                                                                          \
  X(InitGlobals)                                                                           \
  X(StartRoutine)                                                                          \
  X(UserStartup)                                                                           \
  X(ReleaseGlobals)                                                                        \
  /* message box and own-window lookup */                                                  \
  X(EnumWindowsCallback)

namespace program {

enum class Routine : uint32_t {
#define LYB_ROUTINE_ENUM(name) name,
  LYB_ROUTINES(LYB_ROUTINE_ENUM)
#undef LYB_ROUTINE_ENUM
      Count
};

inline constexpr std::string_view kRoutineNames[] = {
#define LYB_ROUTINE_NAME(name) #name,
    LYB_ROUTINES(LYB_ROUTINE_NAME)
#undef LYB_ROUTINE_NAME
};
static_assert(std::size(kRoutineNames) == static_cast<size_t>(Routine::Count));

// Size of one routine record in the code section.
inline constexpr uint32_t kRoutineRecordSize = 32;

constexpr uint32_t code_offset(Routine r) { return static_cast<uint32_t>(r) * kRoutineRecordSize; }

}  // namespace program
