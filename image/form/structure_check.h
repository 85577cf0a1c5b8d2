// The rules that tie a form's records together: one window first, unique ids,
// parents that are containers, children lists that agree with the parents,
// tab pages that match the page captions, a menu whose tree can be built.
#pragma once

#include <string>

#include "image/form/form_types.h"

namespace form {

// Empty when the form keeps every rule; otherwise the first rule broken,
// naming the element.
std::string check_structure(const Form& form);

}  // namespace form
