#include <cstring>
#include <type_traits>

#include "image/const_table.h"
#include "image/start/bound_words.h"
#include "image/start/konst.h"
#include "runtime/core_commands.h"
#include "runtime/program_services.h"
#include "runtime/shared_routines.h"
#include "web/message_box.h"

namespace {

using program::Dll;

constexpr size_t kArrayHeader = 8;  // one dimension: {u32 1, u32 size}
constexpr int32_t kTitleLength = 256;
constexpr int32_t kClassNameLength = 50;

uintptr_t word(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

uintptr_t call(Dll function, std::initializer_list<uintptr_t> words) {
  return rt::call_dll(static_cast<uint32_t>(function), words);
}

abi::WindowRecord* record_at(const void* list, size_t index) {
  abi::WindowRecord* record;
  std::memcpy(&record, static_cast<const uint8_t*>(list) + kArrayHeader + index * sizeof record,
              sizeof record);
  return record;
}

// The variable gets a block of its own first: it may hold the shared constant.
void append(void*& list, abi::WindowRecord* record) {
  rt::unshare_array(&list);
  const size_t count = rt::element_count(list);
  list = rt::resize(list, kArrayHeader + (count + 1) * sizeof record);
  const uint32_t header[2] = {1, static_cast<uint32_t>(count + 1)};
  std::memcpy(list, header, sizeof header);
  std::memcpy(static_cast<uint8_t*>(list) + kArrayHeader + count * sizeof record, &record,
              sizeof record);
}

// A buffer the function fills; it is already zero-terminated after `length` bytes.
char* window_text(Dll function, uintptr_t window, int32_t length) {
  rt::Text buffer = rt::blank_text(length);
  call(function, {window, word(buffer.data()), static_cast<uintptr_t>(length)});
  return buffer.release();
}

}  // namespace

namespace web {

void ReleaseWindowList(void* list) {
  const size_t count = rt::element_count(list);
  for (size_t i = 0; i < count; ++i) {
    abi::WindowRecord* record = record_at(list, i);
    rt::free(record->title);
    rt::free(record->class_name);
    rt::free(record);
  }
  rt::free(list);
}

// The collected records move to the caller rather than being copied, so
// nothing is left behind when `WindowList` goes back to the shared constant.
uint32_t ListVisibleWindows(void** list) {
  call(Dll::EnumWindows, {program::bound().enum_windows_callback, 0});
  ReleaseWindowList(*list);
  *list = program::window_list();
  program::window_list() = const_cast<uint8_t*>(konst::address(konst::Const::EmptyArray));
  return static_cast<uint32_t>(rt::element_count(*list));
}

uintptr_t FindOwnWindow(uint32_t process_id) {
  void* list = const_cast<uint8_t*>(konst::address(konst::Const::EmptyArray));
  const uint32_t count = ListVisibleWindows(&list);
  uintptr_t found = 0;
  for (uint32_t i = 0; i < count && found == 0; ++i) {
    if (record_at(list, i)->process_id == process_id) {
      found = record_at(list, i)->window;
    }
  }
  ReleaseWindowList(list);
  return found;
}

}  // namespace web

static_assert(std::is_same_v<decltype(&EnumWindowsCallback), abi::EnumWindowsCallbackFn>,
              "user32 calls the callback as abi::EnumWindowsCallbackFn");

extern "C" int32_t ABI_STDCALL EnumWindowsCallback(uintptr_t window, intptr_t /*param*/) {
  if (call(Dll::IsWindowVisible, {window}) == 0) {
    return 1;
  }
  auto* record = static_cast<abi::WindowRecord*>(rt::alloc(sizeof(abi::WindowRecord)));
  record->window = window;
  record->process_id = 0;
  call(Dll::GetWindowThreadProcessId, {window, word(&record->process_id)});
  uint32_t ignored = 0;
  record->thread_id =
      static_cast<uint32_t>(call(Dll::GetWindowThreadProcessId, {window, word(&ignored)}));
  record->title = window_text(Dll::GetWindowTextA, window, kTitleLength);
  record->class_name = window_text(Dll::GetClassNameA, window, kClassNameLength);
  append(program::window_list(), record);
  return 1;
}
