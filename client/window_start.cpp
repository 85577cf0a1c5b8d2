// Start-up of the main window: the skin, and the two advertisement pages
// written beside the program and shown in the two browser boxes.
#include <cstdint>

#include "client/controls.h"
#include "client/handlers.h"
#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/program_services.h"

namespace client {
namespace {

using konst::Const;

uintptr_t word(const void* address) {
  return reinterpret_cast<uintptr_t>(address);
}

// Hands the skin file's bytes to the skin library; a missing file gives it
// no bytes and size 0, and no message.
void attach_skin() {
  const rt::Text path = program_path(konst::text(Const::SkinFile));
  const rt::Bytes skin = rt::read_whole_file(path);
  const int32_t size = rt::bytes_length(skin);
  rt::call_dll(static_cast<uint32_t>(program::Dll::SkinH_AttachRes),
               {word(skin.data()), static_cast<uint32_t>(size),
                word(konst::text(Const::Empty).get()), 0, 0, 0});
}

void point_browser_boxes() {
  const rt::Text banner = program_path(konst::text(Const::BannerPagePath));
  rt::write_text_property(k超文本浏览框2, abi::property::Address, banner);
  const rt::Text list = program_path(konst::text(Const::ListPagePath));
  rt::write_text_property(k超文本浏览框3, abi::property::Address, list);
}

// Rewrites both pages from the templates over whatever is on disk; failures
// (a read-only directory) leave the boxes showing what is there.
void WriteAdPages() {
  const rt::Text directory = program_path(konst::text(Const::AdDirectory));
  rt::make_directory(directory);
  const rt::Text list = program_path(konst::text(Const::ListPagePath));
  rt::write_whole_file(list, konst::bytes(Const::ListPageTemplate));
  const rt::Text banner = program_path(konst::text(Const::BannerPagePath));
  rt::write_whole_file(banner, konst::bytes(Const::BannerPageTemplate));
  point_browser_boxes();
}

}  // namespace
}  // namespace client

extern "C" void OnWindowCreated() {
  client::attach_skin();
  client::point_browser_boxes();
}

extern "C" void OnRegisterMobileGotFocus() {
  client::clear_edit_box(client::k编辑框3);
  client::WriteAdPages();
}

extern "C" void OnLoginMobileGotFocus() {
  client::WriteAdPages();
}
