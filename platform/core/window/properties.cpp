// The control properties the program reads and writes, by kind and number.
#include <algorithm>
#include <string>

#include "platform/console/hex_text.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/errors/errors.h"
#include "platform/core/window/session.h"
#include "platform/core/window/window_api.h"

namespace core::window {
namespace {

// A written value is the word the program passes: a text or byte-set pointer
// (null meaning empty) or a 32-bit integer.
std::string_view text_at(uintptr_t value) {
  const auto* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(value));
  return text ? std::string_view(text) : std::string_view();
}

std::span<const uint8_t> bytes_at(uintptr_t value) {
  return byte_set_data(reinterpret_cast<const void*>(static_cast<uintptr_t>(value)),
                       "WriteProperty picture");
}

int32_t int_value(uintptr_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

Backend& backend() {
  return *session().backend;
}

using Reader = abi::ArgRecord (*)(LiveControl&);
using Writer = void (*)(LiveControl&, uintptr_t value);

struct PropertyRow {
  uint32_t kind;
  uint32_t property;
  Reader read;
  Writer write;
};

const PropertyRow kProperties[] = {
    {abi::kind::EditBox, abi::property::Content,
     [](LiveControl& c) { return text_result(backend().text(c.handle)); },
     [](LiveControl& c, uintptr_t v) { backend().set_text(c.handle, text_at(v)); }},
    {abi::kind::Label, abi::property::Content, [](LiveControl& c) { return text_result(c.text); },
     [](LiveControl& c, uintptr_t v) {
       c.text = text_at(v);
       backend().set_text(c.handle, c.text);
     }},
    {abi::kind::Timer, abi::property::Content,
     [](LiveControl& c) { return int_result(c.interval_ms); },
     [](LiveControl& c, uintptr_t v) {
       // 0 (or less) stops the timer; any other value starts it afresh.
       c.interval_ms = std::max(int_value(v), 0);
       backend().set_timer(c.handle, c.interval_ms);
     }},
    {abi::kind::Button, abi::property::Disabled,
     [](LiveControl& c) { return bool_result(c.disabled); },
     [](LiveControl& c, uintptr_t v) {
       c.disabled = int_value(v) != 0;
       backend().set_enabled(c.handle, !c.disabled);
     }},
    {abi::kind::PictureBox, abi::property::Picture,
     [](LiveControl& c) { return bytes_result(c.picture); },
     [](LiveControl& c, uintptr_t v) {
       const std::span<const uint8_t> bytes = bytes_at(v);
       c.picture.assign(bytes.begin(), bytes.end());
       backend().set_picture(c.handle, c.picture);
     }},
    {abi::kind::HtmlBrowserBox, abi::property::Address,
     [](LiveControl& c) { return text_result(c.text); },
     [](LiveControl& c, uintptr_t v) {
       c.text = text_at(v);
       backend().set_html(c.handle, c.text);
     }},
    {abi::kind::HyperlinkBox, abi::property::Address,
     [](LiveControl& c) { return text_result(c.text); },
     [](LiveControl& c, uintptr_t v) { c.text = text_at(v); }},
    {abi::kind::TabControl, abi::property::CurrentPage,
     [](LiveControl& c) { return int_result(backend().page(c.handle)); },
     [](LiveControl& c, uintptr_t v) {
       // A page that does not exist leaves the current one: the tab control
       // ignores such a request.
       if (const int32_t page = int_value(v); page >= 0 && page < c.page_count) {
         backend().set_page(c.handle, page);
       }
     }},
};

const PropertyRow& row_for(const char* what, LiveControl& c, uint32_t control, uint32_t property,
                           int32_t index) {
  const std::string id = console::hex_text(control);
  if (index != -1) {
    fatal_error(std::string(what) + ": control " + id + " has no property element " +
                std::to_string(index));
  }
  for (const PropertyRow& row : kProperties) {
    if (row.kind == c.kind && row.property == property) {
      return row;
    }
  }
  fatal_error(std::string(what) + ": control " + id + " (" + form::kind_name(c.kind) +
              ") has no property " + std::to_string(property));
}

}  // namespace

abi::ArgRecord read_property(uint32_t window, uint32_t control, uint32_t property, int32_t index) {
  LiveControl& c = control_for("ReadProperty", window, control);
  return row_for("ReadProperty", c, control, property, index).read(c);
}

void write_property(uint32_t window, uint32_t control, uint32_t property, int32_t index,
                    uintptr_t value, uint32_t /*high*/) {
  LiveControl& c = control_for("WriteProperty", window, control);
  row_for("WriteProperty", c, control, property, index).write(c, value);
}

}  // namespace core::window
