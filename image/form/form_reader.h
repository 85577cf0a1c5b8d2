// The validating reader of the form description. Bytes are checked whole
// (header, every record, every field, the links between parents and
// children) before anything is handed out: a Form exists only for bytes that
// passed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image/form/form_types.h"

namespace form {

struct FormResult {
  std::optional<Form> form;  // set when the bytes passed
  std::string error;         // otherwise what was wrong, where
  bool ok() const { return form.has_value(); }
};

// Diagnostics name the element, the field and the byte offset from the start
// of the bytes: "element 3 (id 0x16010f7d, group box): field 'caption' at
// 0x1a2c needs 12 bytes but the record ends at 0x1a30".
FormResult validate_form(std::span<const uint8_t> bytes);

// Calls fn(element) in stored order until it returns false; says whether it
// ran to the end.
template <class Fn>
bool for_each_element(const Form& form, Fn&& fn) {
  for (const Element& element : form.elements) {
    if (!fn(element)) {
      return false;
    }
  }
  return true;
}

const Element* find_element(const Form& form, uint32_t id);

}  // namespace form
