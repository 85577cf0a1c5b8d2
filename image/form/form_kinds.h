// Kind codes of the form's records and the property block each one carries.
#pragma once

#include <cstdint>
#include <optional>

#include "image/form/form_types.h"

namespace form {

// An empty property block of the kind's type; none for the menu item (which
// has no property block) and for codes this form does not know.
std::optional<Properties> properties_for_kind(uint32_t kind_code);

uint32_t properties_version(const Properties& properties);

bool is_container_kind(uint32_t kind_code);  // group box or tab control

}  // namespace form
