#include "platform/core/binding/binder.h"

#include "image/format/byte_io.h"
#include "image/format/image_view.h"
#include "platform/console/hex_text.h"

namespace binding {

namespace {

using image::RelocKind;
using image::SectionId;

uint64_t address_word(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

// The bound value of one relocated word.
uint64_t bound_value(const image::Relocation& r, const std::span<uint8_t> image,
                     const image::ImageView& view, const BoundProgram& program,
                     const abi::ServiceTable& services) {
  switch (r.kind) {
    case RelocKind::Slot:
      // Stored as slot x 4; in memory each slot's entry is pointer-sized.
      return address_word(&services) + (r.stored / 4) * sizeof(void*);
    case RelocKind::Const:
      return address_word(image.data() + view.section(SectionId::Const).data_offset) + r.stored;
    case RelocKind::Var:
      return address_word(program.var_data.get()) + r.stored;
    case RelocKind::Code:
      // A routine given as a value is its native entry.
      return address_word(
          reinterpret_cast<void*>(program.routines.at(static_cast<uint32_t>(r.stored))));
  }
  return 0;
}

}  // namespace

BindResult bind_image(std::span<uint8_t> image, const abi::ServiceTable& services,
                      const RoutineResolver& resolve) {
  BindResult result;
  std::string error;
  const auto view = image::ImageView::create(image, &error);
  if (!view) {
    result.error = error;
    return result;
  }
  auto program = std::make_unique<BoundProgram>();
  const image::Section& var = view->section(SectionId::Var);
  program->var_size = var.memory_size;
  program->var_data = std::make_unique<uint64_t[]>((static_cast<size_t>(var.memory_size) + 7) / 8);
  program->const_data = view->section(SectionId::Const).data;
  program->form = view->section(SectionId::Form).data;
  for (const image::Declaration& d : view->declarations()) {
    program->declarations.push_back({std::string(d.library), std::string(d.function)});
  }

  const std::span<uint8_t> code = image.subspan(view->section(SectionId::Code).data_offset,
                                                view->section(SectionId::Code).stored_size);
  for (const image::CodeRecord& r : view->code_records()) {
    if (r.tag != image::RecordTag::Routine) {
      continue;
    }
    const std::string_view name = view->const_text(static_cast<uint32_t>(r.word));
    void* entry = resolve(name);
    if (entry == nullptr) {
      result.error = "routine '" + std::string(name) + "' (code offset " +
                     console::hex_text(r.offset) + ") is missing from the program file";
      return result;
    }
    program->routines.emplace(r.offset, reinterpret_cast<abi::RoutineFn>(entry));
    image::write_u64(code, r.offset + image::rec::RoutineEntry, address_word(entry));
  }

  // Read every stored word before writing any, so no word is read bound.
  std::vector<image::Relocation> relocations;
  view->for_each_relocation([&](const image::Relocation& r) {
    relocations.push_back(r);
    return image::IterationDecision::Continue;
  });
  for (const image::Relocation& r : relocations) {
    image::write_u64(code, r.code_offset, bound_value(r, image, *view, *program, services));
  }
  program->program_entry = program->routines.at(view->entry_code_offset());
  result.program = std::move(program);
  return result;
}

}  // namespace binding
