// Windows-style paths. The program and the Windows stand-ins name files the
// Windows way ("c:\010.png", "<dir>\44.she"), the same texts on both targets;
// on Linux this layer turns such names into host paths, on Windows they are
// the system's own and only change encoding (ANSI code page <-> UTF-16), so no
// caller needs to know which system it runs on.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace paths {

// Turns a path given as ANSI text (GBK, as the program and the A functions
// name files) into a host path. On Windows that is the same path in UTF-16.
// On Linux the characters become UTF-8, the file
// system's encoding; `\` and `/` both separate, but a GBK character whose
// second byte is 0x5C stays whole. A drive root ("c:\", "C:/", or "c:" alone)
// becomes ${XDG_DATA_HOME:-~/.local/share}/winapi/drive_<letter>/, created
// with mode 0700 on first use; every other path is used as it is.
//
// What the path is used for matters only under a program directory the user
// cannot write: there writes go to a per-user overlay and reads look in it
// first (program_overlay.h). On Windows the system itself does this.
enum class Use { Read, Write };
std::filesystem::path host_path(std::string_view ansi_path, Use use = Use::Read);

// A host path as ANSI text; characters GBK (the ANSI code page) cannot hold
// become '?'.
std::string ansi_path(const std::filesystem::path& host);

// The directory that stands for a drive letter, created on first use; on
// Windows the drive's root.
std::filesystem::path drive_directory(char letter);

// The running program file (/proc/self/exe; the module file on Windows).
std::filesystem::path program_file_path();

// The program file's directory as ANSI text, without a trailing separator.
std::string program_directory();

}  // namespace paths
