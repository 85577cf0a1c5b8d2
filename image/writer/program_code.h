// The program's code section: one record per routine, the operand records
// whose words the program reads once bound, and the 13 service-slot records.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/const_table.h"
#include "image/format/image_builder.h"
#include "runtime/abi.h"

namespace writer {

// Bound words the program reads, by what they hold.
enum class Operand : uint32_t {
  ConstBase,            // kind 1: the const data
  WindowList,           // kind 2: the global variable
  ReleaseGlobalsValue,  // kind 3: handed to RegisterCleanup
  EnumCallbackValue,    // kind 3: handed to EnumWindows
  StartWindowId,        // immediate, listed in @reloc1 group 1
  Count
};
inline constexpr size_t kOperandCount = static_cast<size_t>(Operand::Count);

struct ProgramCode {
  std::vector<uint8_t> data;
  std::vector<uint32_t> relocations;
  std::array<std::vector<uint32_t>, image::kReloc1Groups> reloc1_groups;
  std::array<uint32_t, kOperandCount> operand_words{};  // code offsets
  std::array<uint32_t, abi::kSlotCount> slot_words{};   // code offsets, by slot number
  std::array<uint32_t, static_cast<size_t>(program::Routine::Count)> routine_records{};
};

ProgramCode build_program_code(const program::ConstLayout& constants);

}  // namespace writer
