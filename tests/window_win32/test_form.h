// The form the Win32 window tests build, its element ids and handler
// offsets, and a BMP file writer for pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/form/form_types.h"

namespace win32_test {

inline constexpr uint32_t kWindowId = 0x52010001;
inline constexpr uint32_t kButton = 0x16000010;
inline constexpr uint32_t kEdit = 0x16000011;
inline constexpr uint32_t kLabel = 0x16000012;
inline constexpr uint32_t kTab = 0x16000013;
inline constexpr uint32_t kPageEdit = 0x16000014;
inline constexpr uint32_t kGroup = 0x16000015;
inline constexpr uint32_t kGroupLabel = 0x16000016;
inline constexpr uint32_t kPicture = 0x16000017;
inline constexpr uint32_t kHtml = 0x16000018;
inline constexpr uint32_t kTimer = 0x16000019;
inline constexpr uint32_t kMenuEntry = 0x26000001;
inline constexpr uint32_t kMenuItem = 0x26000002;

// Code offsets of the handlers the form binds.
inline constexpr uint32_t kCreated = 0x40;
inline constexpr uint32_t kButtonClicked = 0x100;
inline constexpr uint32_t kEditGotFocus = 0x110;
inline constexpr uint32_t kMenuChosen = 0x120;
inline constexpr uint32_t kTimerTick = 0x130;

// A window of 412 × 348 pixels (a 400 × 300 client area) at (40, 30) with a
// button, an edit box and a label, a tab control whose first page holds an
// edit box and whose second a group box with a label, a picture box, an HTML
// box showing `page_address`, a stopped timer and a menu with one list.
form::Form test_form(const std::string& page_address);

// A bottom-up 24-bit BMP file of one colour (0x00BBGGRR).
std::vector<uint8_t> bmp_file(int width, int height, uint32_t colour);

}  // namespace win32_test
