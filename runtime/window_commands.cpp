#include "runtime/window_commands.h"

#include "runtime/marshal.h"
#include "runtime/program_services.h"
#include "runtime/service_slots.h"

namespace rt {
namespace {

using abi::Slot;
using detail::service;

abi::ArgRecord reference(ControlRef control) {
  return {control.window, control.control, control.kind};
}

void write_property(ControlRef control, uint32_t property, uint64_t value) {
  service<abi::WritePropertyFn>(Slot::WriteProperty)(control.window, control.control, property, -1,
                                                     value, 0);
}

}  // namespace

Text read_text_property(ControlRef control, uint32_t property) {
  const abi::ArgRecord value = service<abi::ReadPropertyFn>(Slot::ReadProperty)(
      control.window, control.control, property, -1);
  if (value.tag != abi::tag::Text) {
    report_runtime_error(abi::error::ValueNotText);
  }
  return marshal::text_of(value);
}

void write_text_property(ControlRef control, uint32_t property, TextView value) {
  write_property(control, property, reinterpret_cast<uintptr_t>(value.c_str()));
}

void write_int_property(ControlRef control, uint32_t property, int32_t value) {
  write_property(control, property, static_cast<uint32_t>(value));
}

void write_bytes_property(ControlRef control, uint32_t property, BytesView value) {
  write_property(control, property, reinterpret_cast<uintptr_t>(value.block()));
}

void show_message(TextView text) {
  marshal::core(abi::cmd::ShowMessage,
                {marshal::text(text), marshal::integer(0), marshal::kOmitted});
}

void process_events() {
  marshal::core(abi::cmd::ProcessEvents, {});
}

void close_window(ControlRef window) {
  marshal::core(abi::cmd::CloseWindow, {reference(window), marshal::kOmitted});
}

void set_focus_to(ControlRef control) {
  marshal::core(abi::cmd::SetFocusTo, {reference(control)});
}

void append_text(ControlRef edit_box, TextView text) {
  marshal::core(abi::cmd::AppendText, {reference(edit_box), marshal::text(text)});
}

void open_link(ControlRef hyperlink_box) {
  marshal::core(abi::cmd::OpenLink, {reference(hyperlink_box)});
}

void convert_image_file(TextView source_path, TextView target_path) {
  marshal::library(abi::libcmd::ImageConverterLibrary, abi::libcmd::ConvertImageFile,
                   {marshal::text(source_path), marshal::text(target_path)});
}

void open_url(TextView url) {
  marshal::library(abi::libcmd::AppInterfaceLibrary, abi::libcmd::OpenUrl, {marshal::text(url)});
}

}  // namespace rt
