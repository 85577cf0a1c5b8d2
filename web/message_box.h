// A message box owned by the program's own visible window, and the lookup of
// the visible top-level windows that finds it.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/abi.h"
#include "runtime/blocks.h"

namespace web {

struct MessageBoxOptions {
  std::optional<rt::TextView> message;  // left out: empty
  std::optional<uint32_t> style;        // left out: 0, one OK button
  std::optional<rt::TextView> title;    // left out: "友情提醒"
  std::optional<uintptr_t> owner;       // left out: the program's own visible window
};

// The MessageBoxA result minus 1: OK 0, Cancel 1, ... and -1 when no box could be shown.
int32_t ShowMessageBox(const MessageBoxOptions& options);

// The first visible top-level window of the process, or 0.
uintptr_t FindOwnWindow(uint32_t process_id);

// Replaces the array block in `*list` (which it owns, records and texts
// included, or the shared empty array) with one record per visible top-level
// window, in enumeration order; returns the number of records.
uint32_t ListVisibleWindows(void** list);

// Frees an array of window records with its records and texts; the shared
// empty array is left alone.
void ReleaseWindowList(void* list);

}  // namespace web

// Called by EnumWindows for each top-level window: collects the visible ones
// into `WindowList`. Answers non-zero so that the enumeration goes on.
extern "C" int32_t ABI_STDCALL EnumWindowsCallback(uintptr_t window, intptr_t param);
