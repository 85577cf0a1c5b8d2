#include <algorithm>

#include "image/form/form_writer.h"
#include "ui/control_ids.h"
#include "ui/form_tables.h"
#include "ui/gbk_literal.h"
#include "ui/handset_icon.h"

namespace ui {

form::Element window_element() {
  form::WindowProps p;
  p.style_words = {2, 1, 0xFF000000, 0, 1, 1, 1, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0};
  p.icon = handset_icon_file();
  p.caption = gbk("岚音宝 V 1.4版 每周领取15分钟  ★限★：接听免费的用户使用！！！");
  form::ControlRecord r;
  r.geometry = {50, 50, 740, 510};
  r.state_flags = form::state::Visible;
  r.events = events_of(id::kWindowRecord);
  r.properties = std::move(p);
  return {id::kWindowRecord, std::move(r)};
}

// Element order: the window, the controls by id except the two containers
// that come last (分组框1, then 选择夹1), with the menu items between.
form::Form build_form() {
  form::Form f;
  f.window_id = abi::kMainWindowId;
  f.elements.push_back(window_element());
  std::vector<form::Element> controls = control_elements();
  std::sort(controls.begin(), controls.end(),
            [](const form::Element& a, const form::Element& b) { return a.id < b.id; });
  auto last = [](const form::Element& e) { return e.id == id::分组框1 || e.id == id::选择夹1; };
  std::vector<form::Element> tail;
  for (form::Element& e : controls) {
    if (!last(e)) {
      f.elements.push_back(std::move(e));
    }
  }
  for (form::Element& e : menu_elements()) {
    f.elements.push_back(std::move(e));
  }
  for (uint32_t id : {id::分组框1, id::选择夹1}) {
    f.elements.push_back(*std::find_if(controls.begin(), controls.end(),
                                       [id](const form::Element& e) { return e.id == id; }));
  }
  return f;
}

std::vector<uint8_t> build_form_section() {
  return form::write_form(build_form());
}

}  // namespace ui
