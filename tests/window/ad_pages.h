// Writes the program's two advertisement pages into a folder and points the
// window's browser boxes at them, as the window's created handler does.
#pragma once

#include <filesystem>

namespace window_test {

void show_ad_pages(const std::filesystem::path& folder);

}  // namespace window_test
