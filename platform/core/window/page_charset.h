// The charset an HTML page names in its head, which both window backends'
// HTML boxes decode the page by.
#pragma once

#include <string>
#include <string_view>

namespace core::window {

// The charset named in the first 4 KiB of the page ("charset=gb2312"),
// lower-cased; empty when there is none.
std::string declared_charset(std::string_view page);

}  // namespace core::window
