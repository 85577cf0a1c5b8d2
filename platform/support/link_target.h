// Turns a link target as the program stores it (a web address, or a local
// Windows-style path such as "c:\help.html") into the URL the desktop opens.
#pragma once

#include <QUrl>

#include <string_view>

namespace support {

QUrl url_for_target(std::string_view gbk_target);

}  // namespace support
