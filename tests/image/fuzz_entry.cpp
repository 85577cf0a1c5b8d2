#include "tests/image/fuzz_entry.h"

#include "image/format/image_view.h"

namespace image_fuzz {

bool run_one(const uint8_t* data, size_t size) {
  const auto view = image::ImageView::create({data, size});
  if (!view) {
    return false;
  }
  // Touch every byte a view hands out, so a view over bad bytes shows up under ASan.
  size_t sum = 0;
  view->for_each_section([&](const image::Section& s) {
    for (uint8_t b : s.data) {
      sum += b;
    }
    return image::IterationDecision::Continue;
  });
  view->for_each_relocation([&](const image::Relocation& r) {
    sum += r.stored;
    return image::IterationDecision::Continue;
  });
  for (const auto& d : view->declarations()) {
    sum += d.library.size() + d.function.size();
  }
  for (const auto& r : view->code_records()) {
    sum += view->const_text(static_cast<uint32_t>(r.word)).size();
  }
  return sum != static_cast<size_t>(-1);
}

}  // namespace image_fuzz
