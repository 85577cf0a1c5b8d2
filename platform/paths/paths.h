// Windows-style paths on Linux. The program and the Windows stand-ins name
// files with drive letters and backslashes ("c:\010.png", "<dir>\44.she"),
// the same texts on both targets; this layer turns such names into host
// paths, so no caller needs to know which system it runs on.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace paths {

// Turns a path given as ANSI text (GBK, as the program and the A functions
// name files) into a host path: the characters become UTF-8, the file
// system's encoding; `\` and `/` both separate, but a GBK character whose
// second byte is 0x5C stays whole. A drive root ("c:\", "C:/", or "c:" alone)
// becomes ${XDG_DATA_HOME:-~/.local/share}/winapi/drive_<letter>/, created
// with mode 0700 on first use; every other path is used as it is.
std::filesystem::path host_path(std::string_view ansi_path);

// A host path as ANSI text; characters GBK cannot hold become '?'.
std::string ansi_path(const std::filesystem::path& host);

// The directory that stands for a drive letter, created on first use.
std::filesystem::path drive_directory(char letter);

// The running program file, from /proc/self/exe.
std::filesystem::path program_file_path();

// The program file's directory as ANSI text, without a trailing separator.
std::string program_directory();

}  // namespace paths
