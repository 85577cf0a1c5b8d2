// The event handlers the form binds, by area. The runtime calls them by name
// through the routine table; they take nothing and return nothing.
#pragma once

extern "C" {
// dial pad
void OnKey0Clicked();
void OnKey1Clicked();
void OnKey2Clicked();
void OnKey3Clicked();
void OnKey4Clicked();
void OnKey5Clicked();
void OnKey6Clicked();
void OnKey7Clicked();
void OnKey8Clicked();
void OnKey9Clicked();
void OnClearClicked();
void OnDialClicked();
// window start-up and the advertisement pages
void OnWindowCreated();
void OnRegisterMobileGotFocus();
void OnLoginMobileGotFocus();
// registration
void WatchdogTick();
void RequestVoiceCode();
void SubmitRegistration();
void OnVoiceCodeGotFocus();
// login
void OnPictureCodeGotFocus();
void LogIn();
// weekly claim and balance
void ClaimAndShowBalance();
void ClaimFromMenu();
// menu commands
void OnExitChosen();
void OpenMallShopping();
void OpenLadiesMall();
void OpenCrownShops();
void OpenAirTickets();
void OpenGeneralChannel();
void OpenMotherAndBaby();
void OpenAppliances();
void OpenFlashSales();
void OpenBeauty();
void OpenKoreanWomenswear();
void OpenSlimmingShop();
void OpenMenswear();
void OpenKoreanFlagship();
void OpenRegistrationHelp();
}
