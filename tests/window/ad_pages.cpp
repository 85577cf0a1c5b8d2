#include "tests/window/ad_pages.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "image/const_table.h"
#include "platform/core/window/window_api.h"
#include "runtime/abi.h"
#include "ui/control_ids.h"

namespace window_test {
namespace {

void write_page(uint32_t browser, const std::filesystem::path& file,
                const std::vector<uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  const std::string address = file.string();
  core::window::write_property(abi::kMainWindowId, browser, abi::property::Address, -1,
                               reinterpret_cast<uintptr_t>(address.c_str()), 0);
}

}  // namespace

void show_ad_pages(const std::filesystem::path& folder) {
  write_page(ui::id::超文本浏览框2, folder / "4.html", program::banner_page_template());
  write_page(ui::id::超文本浏览框3, folder / "2.html", program::list_page_template());
}

}  // namespace window_test
