// The desktop for the logic tests: remembers what it was asked to open and
// convert instead of starting a browser.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace window_logic_test {

struct DesktopCalls {
  std::vector<std::string> opened;     // "url <address>" or "file <host path>"
  std::vector<std::string> converted;  // "<byte count> -> <host path>"
  bool picture_ok = true;              // whether write_bmp finds a picture in the bytes
};

DesktopCalls& desktop();

}  // namespace window_logic_test
