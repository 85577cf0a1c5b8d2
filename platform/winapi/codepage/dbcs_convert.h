// Conversions between a double-byte code page and UTF-16 by table lookup,
// straight into the caller's memory; an empty target makes a size query.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/winapi/codepage/code_pages.h"
#include "platform/winapi/codepage/dbcs_table.h"

namespace winapi::codepage {

// nullopt when the bytes hold a sequence that is no character; the
// converter's own path decides how to replace it.
std::optional<Outcome> decode_dbcs(const DbcsTable& table, std::string_view bytes,
                                   std::span<char16_t> target);

// Characters the code page cannot hold, surrogate pairs among them, become
// `default_bytes`, or the converter's substitute when nullopt; an unpaired
// surrogate too, and it marks the input invalid. Default-ignorable
// characters the code page cannot hold are dropped, as the converter drops them.
Outcome encode_dbcs(const DbcsTable& table, std::u16string_view units, std::span<char> target,
                    std::optional<std::string_view> default_bytes);

}  // namespace winapi::codepage
