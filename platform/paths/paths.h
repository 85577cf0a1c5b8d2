// Windows-style paths on Linux. The program and the Windows stand-ins name
// files the way the original platform did ("c:\010.png", "<dir>\44.she");
// this layer turns such names into host paths.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace paths {

// `\` and `/` both separate. A drive root ("c:\", "C:/", or "c:" alone)
// becomes ${XDG_DATA_HOME:-~/.local/share}/winapi/drive_<letter>/, created
// with mode 0700 on first use; every other path is used as it is.
std::filesystem::path host_path(std::string_view path);

// The directory that stands for a drive letter, created on first use.
std::filesystem::path drive_directory(char letter);

// The running program file, from /proc/self/exe.
std::filesystem::path program_file_path();

// The program file's directory, without a trailing separator.
std::string program_directory();

}  // namespace paths
