#include "platform/winapi/advapi32/registry_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "platform/winapi/api.h"

namespace winapi::registry {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && blank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

bool starts_with_folded(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && fold_case(s.substr(0, prefix.size())) == prefix;
}

// A short, printable excerpt of what was found, for diagnostics.
std::string excerpt(std::string_view s) {
  constexpr size_t kMax = 24;
  std::string out(s.substr(0, kMax));
  if (s.size() > kMax) {
    out += "...";
  }
  return "'" + out + "'";
}

// Key paths are stored folded and without trailing separators.
std::string key_id(std::string_view path) {
  while (!path.empty() && path.back() == '\\') {
    path.remove_suffix(1);
  }
  return fold_case(path);
}

}  // namespace

std::string fold_case(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte >= 0x81 && byte <= 0xFE) {
      ++i;  // a GBK lead byte: its trail byte may look like an ASCII letter
    } else if (byte >= 'A' && byte <= 'Z') {
      out[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return out;
}

bool Registry::has_key(std::string_view key_path) const {
  const std::string id = key_id(key_path);
  if (id.empty()) {
    return false;
  }
  if (keys_.contains(id)) {
    return true;
  }
  const std::string prefix = id + '\\';
  auto it = keys_.lower_bound(prefix);
  return it != keys_.end() && it->first.starts_with(prefix);
}

const Value* Registry::find_value(std::string_view key_path, std::string_view name) const {
  auto key = keys_.find(key_id(key_path));
  if (key == keys_.end()) {
    return nullptr;
  }
  auto value = key->second.find(fold_case(name));
  return value == key->second.end() ? nullptr : &value->second;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  ParseResult run() {
    if (text_.starts_with(kUtf8Bom)) {
      text_.remove_prefix(kUtf8Bom.size());
    }
    std::string_view line;
    bool header_seen = false;
    while (next_line(line)) {
      line = trim(line);
      if (line.empty() || line.front() == ';') {
        continue;
      }
      if (!header_seen) {
        if (line != kHeader) {
          return failure("expected the header REGEDIT4, found " + excerpt(line));
        }
        header_seen = true;
        continue;
      }
      const bool ok = line.front() == '[' ? parse_section(line) : parse_value_line(line);
      if (!ok) {
        return failure(error_);
      }
    }
    if (!header_seen) {
      return failure("the file is empty; expected the header REGEDIT4");
    }
    return ParseResult{std::move(registry_), {}, 0};
  }

 private:
  bool next_line(std::string_view& line) {
    if (pos_ >= text_.size()) {
      return false;
    }
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) {
      end = text_.size();
    }
    line = text_.substr(pos_, end - pos_);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    pos_ = end + 1;
    ++line_;
    return true;
  }

  ParseResult failure(std::string message) {
    return ParseResult{Registry{}, std::move(message), line_};
  }

  bool fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  bool parse_section(std::string_view line) {
    if (!line.ends_with(']')) {
      return fail("a key must end with ']', found " + excerpt(line));
    }
    std::string_view path = line.substr(1, line.size() - 2);
    const bool remove = path.starts_with('-');
    if (remove) {
      path.remove_prefix(1);
    }
    const std::string id = key_id(path);
    if (id.empty()) {
      return fail("empty key name");
    }
    if (remove) {
      const std::string prefix = id + '\\';
      std::erase_if(registry_.keys_, [&](const auto& key) {
        return key.first == id || key.first.starts_with(prefix);
      });
      current_ = nullptr;
      in_removed_key_ = true;
      return true;
    }
    current_ = &registry_.keys_[id];
    in_removed_key_ = false;
    return true;
  }

  bool parse_value_line(std::string_view line) {
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else if (!parse_quoted(line, name)) {
      return false;
    }
    line = trim(line);
    if (!line.starts_with('=')) {
      return fail("expected '=' after the value name, found " + excerpt(line));
    }
    line = trim(line.substr(1));
    if (current_ == nullptr && !in_removed_key_) {
      return fail("value " + excerpt(name) + " stands before any key");
    }
    if (line == "-") {
      if (current_ != nullptr) {
        current_->erase(fold_case(name));
      }
      return true;
    }
    Value value{};
    if (!parse_data(line, value)) {
      return false;
    }
    if (current_ != nullptr) {
      (*current_)[fold_case(name)] = std::move(value);
    }
    return true;
  }

  // A quoted string with the escapes \\ and \"; `rest` is left after it.
  bool parse_quoted(std::string_view& rest, std::string& out) {
    if (!rest.starts_with('"')) {
      return fail("expected a quoted name or '@', found " + excerpt(rest));
    }
    for (size_t i = 1; i < rest.size(); ++i) {
      const char c = rest[i];
      if (c == '"') {
        rest.remove_prefix(i + 1);
        return true;
      }
      if (c == '\\') {
        if (i + 1 >= rest.size() || (rest[i + 1] != '\\' && rest[i + 1] != '"')) {
          return fail("unknown escape in " + excerpt(rest) + "; only \\\\ and \\\" are allowed");
        }
        ++i;
      }
      out += rest[i];
    }
    return fail("unterminated string " + excerpt(rest));
  }

  bool parse_data(std::string_view data, Value& value) {
    if (data.starts_with('"')) {
      value.type = REG_SZ;
      if (!parse_quoted(data, value.data)) {
        return false;
      }
      value.data += '\0';
      if (!trim(data).empty()) {
        return fail("unexpected text after the string: " + excerpt(trim(data)));
      }
      return true;
    }
    if (starts_with_folded(data, "dword:")) {
      return parse_dword(data.substr(6), value);
    }
    if (starts_with_folded(data, "hex")) {
      return parse_hex(data.substr(3), value);
    }
    return fail("expected a string, dword: or hex: value, found " + excerpt(data));
  }

  bool parse_dword(std::string_view digits, Value& value) {
    uint32_t number = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    const size_t used = static_cast<size_t>(end - digits.data());
    if (ec != std::errc{} || used == 0 || used > 8 || !trim(digits.substr(used)).empty()) {
      return fail("a dword needs 1 to 8 hex digits, found " + excerpt(digits));
    }
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i) {
      value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
    }
    return true;
  }

  // "hex:" or "hex(N):" and comma-separated bytes; a trailing '\' continues
  // the list on the next line.
  bool parse_hex(std::string_view rest, Value& value) {
    value.type = REG_BINARY;
    if (rest.starts_with('(')) {
      const size_t close = rest.find(')');
      const std::string_view digits =
          close == std::string_view::npos ? rest.substr(1) : rest.substr(1, close - 1);
      const auto [end, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), value.type, 16);
      if (close == std::string_view::npos || ec != std::errc{} || digits.empty() ||
          end != digits.data() + digits.size()) {
        return fail("a typed hex value needs hex(N), found " + excerpt(rest));
      }
      rest.remove_prefix(close + 1);
    }
    if (!rest.starts_with(':')) {
      return fail("expected ':' after hex, found " + excerpt(rest));
    }
    std::string bytes(rest.substr(1));
    while (!trim(bytes).empty() && trim(bytes).back() == '\\') {
      std::string_view next;
      if (!next_line(next)) {
        return fail("the hex value continues past the end of the file");
      }
      bytes = std::string(trim(bytes));
      bytes.pop_back();
      bytes += trim(next);
    }
    return parse_hex_bytes(bytes, value.data);
  }

  bool parse_hex_bytes(std::string_view list, std::string& out) {
    list = trim(list);
    while (!list.empty()) {
      const size_t comma = list.find(',');
      const std::string_view item = trim(list.substr(0, comma));
      unsigned byte = 0;
      const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), byte, 16);
      if (ec != std::errc{} || item.empty() || item.size() > 2 ||
          end != item.data() + item.size()) {
        return fail("expected a hex byte, found " + excerpt(item));
      }
      out += static_cast<char>(byte);
      if (comma == std::string_view::npos) {
        break;
      }
      list = trim(list.substr(comma + 1));
    }
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 0;
  Registry registry_;
  Registry::Values* current_ = nullptr;
  bool in_removed_key_ = false;
  std::string error_;
};

ParseResult parse_registry(std::string_view text) {
  return Parser(text).run();
}

}  // namespace winapi::registry
