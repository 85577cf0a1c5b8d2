// Where a message box goes when none can be shown: one line "[title] text" on
// stderr. The rule is the same for the program's ShowMessage and for
// MessageBoxA: print with WINAPI_MSGBOX=stderr, or when the caller cannot show
// a box from the calling thread (no GUI application, no display, or a thread
// other than the GUI thread). Header-only so the Windows stand-ins and the
// runtime core each keep a private copy.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/gbk/gbk_codec.h"

namespace console {

inline bool env_set(const char* name) {
  const char* set = std::getenv(name);
  return set != nullptr && *set != '\0';
}

// `box_possible`: whether the caller could show a modal box here.
inline bool print_message_instead(bool box_possible) {
  const char* mode = std::getenv("WINAPI_MSGBOX");
  return (mode != nullptr && std::string_view(mode) == "stderr") || !box_possible;
}

// Whether a GUI application made now would find a screen. QT_QPA_PLATFORM
// may list several platforms separated by ';', each with ':options'.
inline bool display_available() {
  const char* platforms = std::getenv("QT_QPA_PLATFORM");
  if (platforms == nullptr || *platforms == '\0') {
    return env_set("DISPLAY") || env_set("WAYLAND_DISPLAY");
  }
  std::string_view list = platforms;
  while (!list.empty()) {
    const size_t end = list.find(';');
    std::string_view name = list.substr(0, end);
    name = name.substr(0, name.find(':'));
    const bool usable = name == "xcb"                 ? env_set("DISPLAY")
                        : name.starts_with("wayland") ? env_set("WAYLAND_DISPLAY")
                                                      : !name.empty();
    if (usable) {
      return true;
    }
    list = end == std::string_view::npos ? std::string_view{} : list.substr(end + 1);
  }
  return false;
}

// One line, UTF-8, written at once and flushed, so lines from several threads
// never interleave.
inline void print_message(std::string_view gbk_title, std::string_view gbk_text) {
  const std::string line = "[" + gbk::to_utf8(gbk_title) + "] " + gbk::to_utf8(gbk_text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace console
