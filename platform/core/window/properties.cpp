// The control properties the program reads and writes, by kind and number.
#include <QPushButton>

#include <cstdio>
#include <string>

#include "platform/core/errors/errors.h"
#include "platform/core/window/blocks.h"
#include "platform/core/window/controls.h"
#include "platform/core/window/look.h"
#include "platform/core/window/session.h"
#include "platform/core/window/tab_control.h"
#include "platform/core/window/window_api.h"
#include "platform/support/html_view.h"

namespace core::window {
namespace {

template <class W>
W& as(LiveControl& c) {
  return *static_cast<W*>(c.widget.data());
}

abi::ArgRecord int_result(int32_t v) {
  return {static_cast<uint32_t>(v), 0, abi::tag::Int};
}

int32_t int_value(uint64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

using Reader = abi::ArgRecord (*)(LiveControl&);
using Writer = void (*)(LiveControl&, uint64_t value);

struct PropertyRow {
  uint32_t kind;
  uint32_t property;
  Reader read;
  Writer write;
};

const PropertyRow kProperties[] = {
    {abi::kind::EditBox, abi::property::Content,
     [](LiveControl& c) { return text_block(as<FocusEdit>(c).text()); },
     [](LiveControl& c, uint64_t v) {
       as<FocusEdit>(c).setText(to_qtext(std::string(text_at(v))));
     }},
    {abi::kind::Label, abi::property::Content,
     [](LiveControl& c) { return text_block(as<PlainLabel>(c).caption()); },
     [](LiveControl& c, uint64_t v) {
       as<PlainLabel>(c).set_caption(to_qtext(std::string(text_at(v))));
     }},
    {abi::kind::Timer, abi::property::Content,
     [](LiveControl& c) { return int_result(c.timer->isActive() ? c.timer->interval() : 0); },
     [](LiveControl& c, uint64_t v) {
       // 0 (or less) stops the timer; any other value starts it afresh.
       const int32_t ms = int_value(v);
       c.timer->stop();
       if (ms > 0) {
         c.timer->start(ms);
       }
     }},
    {abi::kind::Button, abi::property::Disabled,
     [](LiveControl& c) {
       return abi::ArgRecord{c.widget->isEnabled() ? 0u : 1u, 0, abi::tag::Bool};
     },
     [](LiveControl& c, uint64_t v) { c.widget->setEnabled(int_value(v) == 0); }},
    {abi::kind::PictureBox, abi::property::Picture,
     [](LiveControl& c) { return bytes_block(as<PictureBox>(c).picture()); },
     [](LiveControl& c, uint64_t v) { as<PictureBox>(c).set_picture(bytes_at(v)); }},
    {abi::kind::HtmlBrowserBox, abi::property::Address,
     [](LiveControl& c) { return text_block(as<support::HtmlView>(c).address()); },
     [](LiveControl& c, uint64_t v) {
       as<support::HtmlView>(c).set_address(std::string(text_at(v)));
     }},
    {abi::kind::HyperlinkBox, abi::property::Address,
     [](LiveControl& c) { return text_block(as<HyperlinkBox>(c).target()); },
     [](LiveControl& c, uint64_t v) { as<HyperlinkBox>(c).set_target(std::string(text_at(v))); }},
    {abi::kind::TabControl, abi::property::CurrentPage,
     [](LiveControl& c) { return int_result(as<TabControl>(c).current()); },
     [](LiveControl& c, uint64_t v) {
       // A page that does not exist leaves the current one, as the original
       // control ignores such a request.
       TabControl& tab = as<TabControl>(c);
       if (const int32_t page = int_value(v); page >= 0 && page < tab.page_count()) {
         tab.set_current(page);
       }
     }},
};

const PropertyRow& row_for(const char* what, LiveControl& c, uint32_t control, uint32_t property,
                           int32_t index) {
  char id[16];
  std::snprintf(id, sizeof id, "0x%x", control);
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
                    uint64_t value, uint32_t /*high*/) {
  LiveControl& c = control_for("WriteProperty", window, control);
  row_for("WriteProperty", c, control, property, index).write(c, value);
}

}  // namespace core::window
