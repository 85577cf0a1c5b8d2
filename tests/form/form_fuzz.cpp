// Fuzz entry of the form reader: any bytes either fail with a message or give
// a form that writes back to bytes which read back to the same form.
#include <cstdint>
#include <cstdlib>

#include "image/form/form_reader.h"
#include "image/form/form_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const form::FormResult first = form::validate_form({data, size});
  if (!first.ok()) {
    if (first.error.empty()) {
      std::abort();
    }
    return 0;
  }
  const form::FormResult again = form::validate_form(form::write_form(*first.form));
  if (!again.ok() || !(*again.form == *first.form)) {
    std::abort();
  }
  return 0;
}
