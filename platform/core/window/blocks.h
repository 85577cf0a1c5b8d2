// Texts and byte sets crossing between the program and the window module.
// Results are new blocks from the runtime's memory service, owned by the
// caller; arguments are read where they stand, null meaning empty.
#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

#include "image/form/form_types.h"
#include "runtime/abi.h"

namespace core::window {

abi::ArgRecord text_block(std::string_view gbk_text);
abi::ArgRecord text_block(const QString& text);
abi::ArgRecord bytes_block(const form::Bytes& bytes);

// The GBK text or byte set a value word points to.
std::string_view text_at(uint64_t value);
form::Bytes bytes_at(uint64_t value);

}  // namespace core::window
