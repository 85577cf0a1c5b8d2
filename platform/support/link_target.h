// A link target as the program stores it: a web address, or a local
// Windows-style path such as "c:\help.html".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace support {

struct LinkTarget {
  enum class Kind { Url, LocalFile };
  Kind kind;
  std::string url;             // UTF-8, for Kind::Url
  std::filesystem::path file;  // the mapped host path, for Kind::LocalFile
};

// A target that starts with a scheme of two letters or more ("http:") is an
// address; anything else ("c:\...") is a path, mapped like every other path
// of the program. Surrounding blanks are dropped.
LinkTarget classify(std::string_view gbk_target);

// Hands the classified target to the desktop (desktop.h). Says whether the
// desktop took it. OpenLink and OpenUrl both go through here.
bool open_link(std::string_view gbk_target);

}  // namespace support
