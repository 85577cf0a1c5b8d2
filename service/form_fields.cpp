#include "service/form_fields.h"

#include <algorithm>

namespace service {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

std::optional<std::string> FormFields::get(std::string_view name) const {
  for (auto it = fields_.rbegin(); it != fields_.rend(); ++it) {
    if (it->first == name) {
      return it->second;
    }
  }
  return std::nullopt;
}

std::string FormFields::value(std::string_view name) const {
  return get(name).value_or(std::string());
}

void FormFields::add(std::string name, std::string value) {
  fields_.emplace_back(std::move(name), std::move(value));
}

size_t bad_escape_at(std::string_view text) {
  for (size_t i = text.find('%'); i != std::string_view::npos; i = text.find('%', i + 1)) {
    if (i + 2 >= text.size() || hex_value(text[i + 1]) < 0 || hex_value(text[i + 2]) < 0) {
      return i;
    }
    i += 2;
  }
  return std::string_view::npos;
}

std::optional<std::string> decode_form_component(std::string_view text) {
  if (bad_escape_at(text) != std::string_view::npos) {
    return std::nullopt;
  }
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%') {
      out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

FormParse parse_form(std::string_view text) {
  FormParse result;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('&', start), text.size());
    const std::string_view piece = text.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) {
      continue;
    }
    const size_t eq = piece.find('=');
    const std::string_view raw_name = piece.substr(0, eq);
    const std::string_view raw_value =
        eq == std::string_view::npos ? std::string_view() : piece.substr(eq + 1);
    const size_t bad = bad_escape_at(piece);
    if (bad != std::string_view::npos) {
      const size_t offset = static_cast<size_t>(piece.data() - text.data()) + bad;
      result.error = "malformed %-escape at offset " + std::to_string(offset);
      result.fields = FormFields();
      return result;
    }
    auto name = decode_form_component(raw_name);
    auto value = decode_form_component(raw_value);
    result.fields.add(std::move(name).value(), std::move(value).value());
  }
  return result;
}

}  // namespace service
