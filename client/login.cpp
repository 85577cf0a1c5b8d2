#include "client/login.h"

#include "client/flow_helpers.h"
#include "client/form_value.h"
#include "client/handlers.h"
#include "client/service_controls.h"
#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/shared_routines.h"

namespace client {
namespace {

using konst::Const;

// The picture travels through two fixed files: the reply as it came, and
// the bitmap the picture box shows.
void show_picture(rt::BytesView png) {
  rt::write_whole_file(konst::text(Const::PictureCodePng), png);
  rt::convert_image_file(konst::text(Const::PictureCodePng), konst::text(Const::PictureCodeBmp));
  const rt::Bytes bitmap = rt::read_whole_file(konst::text(Const::PictureCodeBmp));
  rt::write_bytes_property(k图片框1, abi::property::Picture, bitmap);
}

void refuse_login() {
  rt::show_message(konst::text(Const::LoginRefused));
  clear_edit_box(k编辑框2);
  clear_edit_box(k编辑框1);
  FetchPictureCode();
}

void show_member() {
  const rt::Text member = read_trimmed(k编辑框2);
  const rt::Text caption = rt::concat({konst::text(Const::UserNumberCaption), member});
  rt::write_text_property(k标签5, abi::property::Content, caption);
  rt::write_int_property(k按钮14, abi::property::Disabled, 0);
  rt::write_int_property(k按钮2, abi::property::Disabled, 0);
}

}  // namespace

void FetchPictureCode() {
  const rt::Bytes png = get_page(konst::text(Const::PictureCodeUrl));
  show_picture(png);
}

bool SendLogin() {
  // The mobile number is both the member code and the password; the picture
  // code goes as typed, blanks included; each value is escaped to stay one field.
  const rt::Text member = form_value(read_trimmed(k编辑框2));
  const rt::Text password = form_value(read_trimmed(k编辑框2));
  const rt::Text code = form_value(rt::read_text_property(k编辑框1, abi::property::Content));
  const rt::Text body = rt::concat(
      {konst::text(Const::LoginBody), member, konst::text(Const::PasswordField), password,
       konst::text(Const::ValidCodeField), code, konst::text(Const::ImageButtonFields)});
  const rt::Bytes reply = post_form(konst::text(Const::LoginUrl), body);
  const rt::Text page = rt::to_text(reply);
  if (rt::find_text(page, konst::text(Const::MemberPageMarker)) <= 0) {
    return false;
  }
  rt::write_text_property(k标签1, abi::property::Content, konst::text(Const::LoginDone));
  return true;
}

}  // namespace client

extern "C" void OnPictureCodeGotFocus() {
  client::FetchPictureCode();
}

extern "C" void LogIn() {
  if (client::SendLogin()) {
    client::show_member();
  } else {
    client::refuse_login();
  }
}
