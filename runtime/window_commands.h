// Controls: references, properties, the window commands and the two
// support-library commands.
#pragma once

#include <cstdint>

#include "runtime/abi.h"
#include "runtime/blocks.h"

namespace rt {

struct ControlRef {
  uint32_t window;
  uint32_t control;
  uint32_t kind;
};

inline constexpr ControlRef kMainWindow{abi::kMainWindowId, abi::kWindowElementId,
                                        abi::kind::Window};

Text read_text_property(ControlRef control, uint32_t property);
void write_text_property(ControlRef control, uint32_t property, TextView value);
void write_int_property(ControlRef control, uint32_t property, int32_t value);
void write_bytes_property(ControlRef control, uint32_t property, BytesView value);

// Modal box with one OK button; returns once it is closed.
void show_message(TextView text);
void process_events();
void close_window(ControlRef window);
void set_focus_to(ControlRef control);
void append_text(ControlRef edit_box, TextView text);
void open_link(ControlRef hyperlink_box);

void convert_image_file(TextView source_path, TextView target_path);
void open_url(TextView url);

}  // namespace rt
