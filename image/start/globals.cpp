// The program's one global, `WindowList`: an array block of WindowRecord
// pointers, or the shared empty array constant.
#include <cstring>

#include "image/start/bound_words.h"
#include "image/start/konst.h"
#include "image/start/start_routines.h"
#include "runtime/program_services.h"
#include "runtime/shared_routines.h"

extern "C" void InitGlobals() {
  constexpr size_t kEmptyArraySize = 8;
  void* block = rt::alloc(kEmptyArraySize);
  std::memcpy(block, konst::address(konst::Const::EmptyArray), kEmptyArraySize);
  program::window_list() = block;
}

extern "C" int32_t StartRoutine() {
  UserStartup();
  return 0;
}

extern "C" void UserStartup() {}

// Frees every record's texts, the records and the block, in slot order. The
// block may be the shared constant; freeing it then does nothing. The
// variable is left as it is: the process is ending.
extern "C" void ReleaseGlobals() {
  auto* block = static_cast<uint8_t*>(program::window_list());
  const size_t count = rt::element_count(block);
  if (count > 0) {
    uint32_t dimensions;
    std::memcpy(&dimensions, block, sizeof dimensions);
    uint8_t* elements = block + 4 + 4 * static_cast<size_t>(dimensions);
    for (size_t i = 0; i < count; ++i) {
      abi::WindowRecord* record;
      std::memcpy(&record, elements + i * sizeof record, sizeof record);
      if (record == nullptr) {
        continue;  // never stored; skipped rather than dereferenced
      }
      if (record->title != nullptr) {
        rt::free(record->title);
      }
      if (record->class_name != nullptr) {
        rt::free(record->class_name);
      }
      rt::free(record);
    }
  }
  rt::free(block);
}
