// The keypad under 拨打电话: digit keys append their digit and hand the focus
// back to the box, 清除 empties it, 拨打 places the call.
#include "client/controls.h"
#include "client/free_call.h"
#include "client/handlers.h"
#include "image/start/konst.h"
#include "runtime/window_commands.h"

using konst::Const;

namespace {

// The digit goes to the end of the content wherever the caret stood; the
// focus returns to the box so that typing can go on.
void key_pressed(Const digit) {
  rt::append_text(client::k拨打电话, konst::text(digit));
  rt::set_focus_to(client::k拨打电话);
}

}  // namespace

extern "C" void OnKey0Clicked() {
  key_pressed(Const::Digit0);
}

extern "C" void OnKey1Clicked() {
  key_pressed(Const::Digit1);
}

extern "C" void OnKey2Clicked() {
  key_pressed(Const::Digit2);
}

extern "C" void OnKey3Clicked() {
  key_pressed(Const::Digit3);
}

extern "C" void OnKey4Clicked() {
  key_pressed(Const::Digit4);
}

extern "C" void OnKey5Clicked() {
  key_pressed(Const::Digit5);
}

extern "C" void OnKey6Clicked() {
  key_pressed(Const::Digit6);
}

extern "C" void OnKey7Clicked() {
  key_pressed(Const::Digit7);
}

extern "C" void OnKey8Clicked() {
  key_pressed(Const::Digit8);
}

extern "C" void OnKey9Clicked() {
  key_pressed(Const::Digit9);
}

extern "C" void OnClearClicked() {
  client::clear_edit_box(client::k拨打电话);
}

extern "C" void OnDialClicked() {
  client::PlaceFreeCall();
}
