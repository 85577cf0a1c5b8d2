#include "tests/window_logic/fake_desktop.h"

#include "platform/support/desktop.h"

namespace window_logic_test {

DesktopCalls& desktop() {
  static DesktopCalls calls;
  return calls;
}

}  // namespace window_logic_test

namespace support {

bool open_target(const LinkTarget& target) {
  window_logic_test::desktop().opened.push_back(
      target.kind == LinkTarget::Kind::Url ? "url " + target.url : "file " + target.file.string());
  return true;
}

bool write_bmp(std::span<const uint8_t> picture_file, const std::filesystem::path& target) {
  auto& calls = window_logic_test::desktop();
  calls.converted.push_back(std::to_string(picture_file.size()) + " -> " + target.string());
  return calls.picture_ok;
}

}  // namespace support
