// The program's constants inside the bound const data. Constants are used
// where they stand and never copied to be freed.
#pragma once

#include "image/const_table.h"
#include "runtime/blocks.h"

namespace konst {

using program::Const;

rt::TextView text(Const c);
rt::BytesView bytes(Const c);
double number(Const c);
// The constant's first byte.
const uint8_t* address(Const c);

}  // namespace konst
