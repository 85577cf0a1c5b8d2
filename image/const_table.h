// The program's constants: every text its routines use, the two
// advertisement page templates, the empty array {1, 0}, the one-byte set {0}
// and the floats 1.0, 2.0 and 8.0. `lay_out_constants` is the one layout of
// the const data: the writer stores its bytes, and the offsets reach the
// program through the generated image layout header.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "image/routine_list.h"

namespace program {

enum class Const : uint32_t {
#define X(name, text) name,
#include "image/const_texts.def"
#undef X
  FirstNonText,
  EmptyArray = FirstNonText,  // {u32 1, u32 0}: also the empty byte set
  ZeroByteSet,                // {u32 1, u32 1, 0}
  ListPageTemplate,           // byte set: ad/2.html
  BannerPageTemplate,         // byte set: ad/4.html
  One,                        // 64-bit floats
  Two,
  Eight,
  Count
};
inline constexpr size_t kConstCount = static_cast<size_t>(Const::Count);

// The functions the program declares, by index.
enum class Dll : uint32_t {
  SkinH_AttachRes,
  InternetOpenA,
  InternetConnectA,
  HttpOpenRequestA,
  HttpSendRequestA,
  InternetReadFile,
  HttpQueryInfoA,
  InternetCloseHandle,
  InternetSetCookieA,
  GetCurrentProcessId,
  MessageBoxA,
  EnumWindows,
  IsWindowVisible,
  GetWindowThreadProcessId,
  GetWindowTextA,
  GetClassNameA,
  MultiByteToWideChar,
  WideCharToMultiByte,
  WideCharToMultiByteDefaultChar,
  LCMapStringA,
  Count
};

struct DllDeclaration {
  std::string_view library;  // empty: the system libraries
  std::string_view function;
};
inline constexpr std::array<DllDeclaration, static_cast<size_t>(Dll::Count)> kDeclarations = {{
    {"SkinH_EL.dll", "SkinH_AttachRes"},
    {"wininet.dll", "InternetOpenA"},
    {"wininet.dll", "InternetConnectA"},
    {"wininet.dll", "HttpOpenRequestA"},
    {"wininet.dll", "HttpSendRequestA"},
    {"wininet.dll", "InternetReadFile"},
    {"wininet.dll", "HttpQueryInfoA"},
    {"wininet.dll", "InternetCloseHandle"},
    {"wininet.dll", "InternetSetCookieA"},
    {"kernel32.dll", "GetCurrentProcessId"},
    {"", "MessageBoxA"},
    {"", "EnumWindows"},
    {"", "IsWindowVisible"},
    {"user32.dll", "GetWindowThreadProcessId"},
    {"", "GetWindowTextA"},
    {"user32.dll", "GetClassNameA"},
    {"", "MultiByteToWideChar"},
    {"kernel32.dll", "WideCharToMultiByte"},
    {"kernel32", "WideCharToMultiByte"},
    {"kernel32", "LCMapStringA"},
}};

struct ConstLayout {
  std::vector<uint8_t> data;
  std::array<uint32_t, kConstCount> offsets{};
  std::array<uint32_t, static_cast<size_t>(Routine::Count)> routine_names{};
  std::array<std::array<uint32_t, 2>, static_cast<size_t>(Dll::Count)> declarations{};
};

ConstLayout lay_out_constants();

// The UTF-8 source of a text constant.
std::string_view const_source(Const c);

// The two advertisement page templates as stored: GBK, CR LF line ends.
std::vector<uint8_t> list_page_template();
std::vector<uint8_t> banner_page_template();

}  // namespace program
