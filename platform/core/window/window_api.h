// The runtime's window module: builds any validated form on the platform's
// window backend, delivers its events to the program's routines, serves the
// properties and the window commands.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "runtime/abi.h"

namespace core::window {

// Runs the routine whose record stands at this code offset.
using RoutineInvoker = std::function<void(uint32_t code_offset)>;

// Validates and keeps the form section; a malformed form is a fatal internal
// fault naming what is wrong.
void attach_form(std::span<const uint8_t> form_section, RoutineInvoker invoke);

// Builds the window on the platform's backend, shows it and delivers its
// created event. Returns the window id. Defined with the backend the runtime
// links (qt/qt_entry.cpp).
uint32_t load_start_window(uint32_t window_id);

// Returns once the start window is closed.
void run_message_loop();

abi::ArgRecord read_property(uint32_t window, uint32_t control, uint32_t property, int32_t index);
void write_property(uint32_t window, uint32_t control, uint32_t property, int32_t index,
                    uintptr_t value, uint32_t high);

// ShowMessage, ProcessEvents, CloseWindow, SetFocusTo, AppendText, OpenLink.
void register_window_commands();

// Destroys the window and the backend, and with it whatever the backend made
// for itself (the QApplication it had to make).
void shut_down();

}  // namespace core::window
