// Printing a validated program image, part by part.
#pragma once

#include <ostream>
#include <string_view>

#include "image/format/image_view.h"

namespace dump {

void header(std::ostream& out, const image::ImageView& view);
void libraries(std::ostream& out, const image::ImageView& view);
void declarations(std::ostream& out, const image::ImageView& view);
void sections(std::ostream& out, const image::ImageView& view);
void code_records(std::ostream& out, const image::ImageView& view);
void relocations(std::ostream& out, const image::ImageView& view);
void reloc1_groups(std::ostream& out, const image::ImageView& view);
// Returns false (after saying why) when the form section does not validate.
bool form(std::ostream& out, const image::ImageView& view);

enum class ControlLookup { Found, NotFound, MalformedForm };
// One control of the form, by its name (UTF-8).
ControlLookup control(std::ostream& out, const image::ImageView& view, std::string_view name);

}  // namespace dump
