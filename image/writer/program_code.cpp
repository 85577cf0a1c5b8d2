#include "image/writer/program_code.h"

#include "runtime/abi.h"

namespace writer {

using image::RecordTag;
using image::RelocKind;
using program::Routine;

namespace {

struct OperandEntry {
  Operand operand;
  Routine owner;
  uint64_t stored;
  int kind;  // RelocKind, or -1 for an immediate
};

}  // namespace

ProgramCode build_program_code(const program::ConstLayout& constants) {
  ProgramCode out;
  image::CodeWriter code;
  for (uint32_t r = 0; r < static_cast<uint32_t>(Routine::Count); ++r) {
    const uint32_t at = code.routine(r, constants.routine_names[r]);
    out.routine_records[r] = at;
    out.relocations.push_back(
        image::reloc_entry(image::CodeWriter::word_of(at, RecordTag::Routine), RelocKind::Const));
  }
  // ProgramEntry loads every bound word the program needs before it runs anything else.
  const std::array<OperandEntry, kOperandCount> operands = {{
      {Operand::ConstBase, Routine::ProgramEntry, 0, static_cast<int>(RelocKind::Const)},
      {Operand::WindowList, Routine::ProgramEntry, 0, static_cast<int>(RelocKind::Var)},
      {Operand::ReleaseGlobalsValue, Routine::ProgramEntry,
       program::code_offset(Routine::ReleaseGlobals), static_cast<int>(RelocKind::Code)},
      {Operand::EnumCallbackValue, Routine::ProgramEntry,
       program::code_offset(Routine::EnumWindowsCallback), static_cast<int>(RelocKind::Code)},
      {Operand::StartWindowId, Routine::ProgramEntry, abi::kMainWindowId, -1},
  }};
  for (const OperandEntry& o : operands) {
    const uint32_t at = code.operand(static_cast<uint32_t>(o.owner), o.stored);
    const uint32_t word = image::CodeWriter::word_of(at, RecordTag::Operand);
    out.operand_words[static_cast<size_t>(o.operand)] = word;
    if (o.kind >= 0) {
      out.relocations.push_back(image::reloc_entry(word, static_cast<RelocKind>(o.kind)));
    }
  }
  out.reloc1_groups[0].push_back(out.operand_words[static_cast<size_t>(Operand::StartWindowId)]);
  for (uint32_t slot : abi::kStoredSlotOrder) {
    const uint32_t word = image::CodeWriter::word_of(code.slot(slot), RecordTag::Slot);
    out.slot_words[slot] = word;
    out.relocations.push_back(image::reloc_entry(word, RelocKind::Slot));
  }
  out.data = std::move(code.data());
  return out;
}

}  // namespace writer
