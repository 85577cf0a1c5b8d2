// Form fields of a request body or query string. Besides "+" and "%XX" a
// value may hold any raw byte except "&" (a raw GBK text, a raw blank); only
// a "%" that does not start a valid escape makes the text malformed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace service {

class FormFields {
 public:
  // The value of the last field of that name (a later field overrides an
  // earlier one), or nullopt when there is none.
  std::optional<std::string> get(std::string_view name) const;
  // The value, or the empty text when the field is missing.
  std::string value(std::string_view name) const;

  void add(std::string name, std::string value);
  size_t size() const { return fields_.size(); }
  // Every field, in the order of the text.
  const std::vector<std::pair<std::string, std::string>>& entries() const { return fields_; }

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

struct FormParse {
  FormFields fields;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

FormParse parse_form(std::string_view text);

// Decodes "+" and "%XX"; nullopt when a "%" is not followed by two hex digits.
std::optional<std::string> decode_form_component(std::string_view text);

// Offset of the first "%" that does not start a valid escape, or npos.
size_t bad_escape_at(std::string_view text);

}  // namespace service
