// The per-user registry as a REGEDIT4 text file, parsed into a small model.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Norvex\Q\Install]
//   "Path"="C:\\Program Files\\Q\\"
//   @="the key's default value"
//   "Count"=dword:0000001a
//   "Blob"=hex:01,02,03
//   "Typed"=hex(2):25,00
//
// A hex list may go on over the next line when its line ends with a
// backslash.
// Key and value names compare without regard to ASCII case; the bytes of a
// GBK double-byte character are never folded. A key exists when it is named
// in a section or is an ancestor of one.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "platform/winapi/base/windows_types.h"

namespace winapi::registry {

struct Value {
  DWORD type;
  // The stored bytes; a string value keeps its terminating zero.
  std::string data;
};

class Registry {
 public:
  bool has_key(std::string_view key_path) const;
  // An empty name is the key's default value ("@").
  const Value* find_value(std::string_view key_path, std::string_view name) const;
  size_t key_count() const { return keys_.size(); }

 private:
  friend class Parser;
  using Values = std::map<std::string, Value>;
  std::map<std::string, Values> keys_;
};

struct ParseResult {
  Registry registry;
  // Empty when the text parsed; otherwise what is wrong, and on which line.
  std::string error;
  size_t line = 0;

  bool ok() const { return error.empty(); }
};

// Parses the whole text; a malformed file yields an empty registry and the
// first fault. Any byte sequence is acceptable input.
ParseResult parse_registry(std::string_view text);

// Folds ASCII letters to lower case, skipping the second byte of each GBK
// double-byte character.
std::string fold_case(std::string_view text);

}  // namespace winapi::registry
