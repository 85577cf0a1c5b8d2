// Serialises a form description. The result passes validate_form whenever the
// form is consistent (ids unique, parents and children lists agreeing).
#pragma once

#include "image/form/form_types.h"

namespace form {

Bytes write_form(const Form& form);

}  // namespace form
