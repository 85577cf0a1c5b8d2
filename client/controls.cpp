#include "client/controls.h"

#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace client {

void clear_edit_box(rt::ControlRef edit_box) {
  rt::write_text_property(edit_box, abi::property::Content, konst::text(konst::Const::Empty));
}

rt::Text program_path(rt::TextView tail) {
  const rt::Text directory = rt::program_directory();
  return rt::concat({directory, tail});
}

}  // namespace client
