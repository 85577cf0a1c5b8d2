// Pictures converted to BMP files through WIC.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/support/desktop.h"
#include "tests/window_win32/checks.h"
#include "tests/window_win32/test_form.h"

namespace win32_test {
namespace {

std::vector<uint8_t> read_file(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t i32_at(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

}  // namespace

void desktop_tests(const std::filesystem::path& folder) {
  const std::filesystem::path out = folder / L"converted.bmp";
  std::filesystem::remove(out);

  CHECK_THAT(support::write_bmp(bmp_file(5, 7, 0x00FF00), out), "a BMP converts");
  const std::vector<uint8_t> written = read_file(out);
  CHECK_THAT(written.size() > 54 && written[0] == 'B' && written[1] == 'M', "BMP signature");
  if (written.size() > 54) {
    CHECK_THAT(i32_at(written, 18) == 5, "width kept");
    CHECK_THAT(std::abs(i32_at(written, 22)) == 7, "height kept");
  }
  std::filesystem::remove(out);

  const std::vector<uint8_t> garbage = {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  CHECK_THAT(!support::write_bmp(garbage, out), "bytes that are no picture are refused");
  CHECK_THAT(!std::filesystem::exists(out), "nothing written for them");
  CHECK_THAT(!support::write_bmp({}, out), "no bytes are refused");
}

}  // namespace win32_test
