// Trimming, replacing, comparing and splitting texts.
#include <cstring>
#include <limits>
#include <string>

#include "platform/core/commands/builtin_commands.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/commands/text_ops.h"
#include "platform/core/errors/errors.h"
#include "platform/core/memory/memory.h"

namespace core {
namespace {

using Args = std::span<const abi::ArgRecord>;

abi::ArgRecord trim_spaces(Args args) {
  return text_result(text_ops::trim_blanks(ArgReader("TrimSpaces", args).text(0)));
}

abi::ArgRecord remove_spaces(Args args) {
  return text_result(text_ops::remove_blanks(ArgReader("RemoveSpaces", args).text(0)));
}

abi::ArgRecord replace_range(Args args) {
  const ArgReader in("ReplaceRange", args);
  return text_result(
      text_ops::replace_range(in.text(0), in.integer(1), in.integer(2), in.text_or(3, {})));
}

// The start and count arguments (4 and 5) are not used: every occurrence is
// replaced. The sixth says whether letter case matters (true when omitted).
abi::ArgRecord replace_all(Args args) {
  const ArgReader in("ReplaceAll", args);
  return text_result(
      text_ops::replace_all(in.text(0), in.text(1), in.text_or(2, {}), in.flag_or(5, true)));
}

// n spaces and the terminator: callers hand it to DLL functions as a buffer of n bytes.
abi::ArgRecord blank_text(Args args) {
  const int32_t count = ArgReader("BlankText", args).integer(0);
  const size_t size = count > 0 ? static_cast<size_t>(count) : 0;
  char* block = new_text_block(size);
  std::memset(block, ' ', size);
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::Text};
}

// The third argument says whether letter case matters (false when omitted).
abi::ArgRecord compare_text(Args args) {
  const ArgReader in("CompareText", args);
  return int_result(text_ops::compare(in.text(0), in.text(1), in.flag_or(2, false)));
}

// An array {u32 1, u32 n, n text pointers}; every piece is a block of its own.
abi::ArgRecord split_text(Args args) {
  const ArgReader in("SplitText", args);
  const auto pieces = text_ops::split(in.text(0), in.text(1));
  if (pieces.size() > std::numeric_limits<uint32_t>::max()) {
    fatal_error("SplitText: too many pieces");
  }
  auto* block = static_cast<uint8_t*>(
      alloc_memory(sizeof(abi::ArrayHeader1) + pieces.size() * sizeof(char*)));
  const abi::ArrayHeader1 header{1, static_cast<uint32_t>(pieces.size())};
  std::memcpy(block, &header, sizeof header);
  uint8_t* slot = block + sizeof header;
  for (const std::string_view piece : pieces) {
    const uintptr_t text = text_result(piece).value;
    std::memcpy(slot, &text, sizeof(char*));
    slot += sizeof(char*);
  }
  return {reinterpret_cast<uintptr_t>(block), 0, abi::tag::None};
}

constexpr CommandEntry kEntries[] = {
    {abi::cmd::TrimSpaces, trim_spaces},     {abi::cmd::RemoveSpaces, remove_spaces},
    {abi::cmd::ReplaceRange, replace_range}, {abi::cmd::ReplaceAll, replace_all},
    {abi::cmd::BlankText, blank_text},       {abi::cmd::CompareText, compare_text},
    {abi::cmd::SplitText, split_text},
};

}  // namespace

std::span<const CommandEntry> text_edit_commands() {
  return kEntries;
}

}  // namespace core
