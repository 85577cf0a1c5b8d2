// A local HTML page reduced to what a rich-text pane shows: its text, with
// line breaks where blocks end, and the ranges of its links. No GUI: the
// HTML box fills its pane from this where no browser engine is available.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core::window {

struct PageLink {
  size_t begin = 0;  // character positions in PageText::text, end exclusive
  size_t end = 0;
  std::u16string href;  // as the page gives it, entities decoded
};

struct PageText {
  std::u16string text;  // lines separated by a single CR, as rich-text panes count them
  std::vector<PageLink> links;
};

// Drops the head, scripts, styles and comments; collapses blanks as a browser
// does; turns <br> and the ends of blocks (paragraphs, divisions, rows, list
// items, headings) into line breaks; decodes the common named entities and
// numeric ones. A link without text or without href is not kept.
PageText page_text(std::u16string_view html);

}  // namespace core::window
