// Values pasted into a form body or a query: a typed number, a picture code,
// the address an echo page reports, a token cut out of a member page. The
// bytes that would change the request's structure are percent-encoded, so a
// value always stays one field; every other byte (letters, digits, GBK
// characters) goes as it is, so a value of the expected shape is sent
// unchanged.
#pragma once

#include "runtime/blocks.h"

namespace client {

rt::Text form_value(rt::TextView value);

}  // namespace client
