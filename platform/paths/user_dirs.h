// The user's own directories on Linux.
#pragma once

#include <filesystem>

namespace paths {

// ${XDG_DATA_HOME}, or ~/.local/share when it is unset or relative.
std::filesystem::path data_home();

}  // namespace paths
