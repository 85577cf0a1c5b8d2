// The tables are written in UTF-8; the form stores GBK.
#pragma once

#include <string>
#include <string_view>

namespace ui {

std::string gbk(std::string_view utf8);

}  // namespace ui
