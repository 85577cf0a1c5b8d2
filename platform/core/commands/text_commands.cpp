// Measuring, cutting, searching and converting texts.
#include <charconv>
#include <string>

#include "platform/core/commands/builtin_commands.h"
#include "platform/core/commands/command_args.h"
#include "platform/core/commands/gbk_scan.h"
#include "platform/core/commands/text_ops.h"

namespace core {
namespace {

using Args = std::span<const abi::ArgRecord>;

abi::ArgRecord text_length(Args args) {
  return int_result(static_cast<int64_t>(ArgReader("TextLength", args).text(0).size()));
}

abi::ArgRecord left_text(Args args) {
  const ArgReader in("LeftText", args);
  return text_result(text_ops::left(in.text(0), in.integer(1)));
}

abi::ArgRecord right_text(Args args) {
  const ArgReader in("RightText", args);
  return text_result(text_ops::right(in.text(0), in.integer(1)));
}

abi::ArgRecord mid_text(Args args) {
  const ArgReader in("MidText", args);
  return text_result(text_ops::mid(in.text(0), in.integer(1), in.integer(2)));
}

// Codes outside 1..255 give the empty text.
abi::ArgRecord char_text(Args args) {
  const int32_t code = ArgReader("CharText", args).integer(0);
  if (code <= 0 || code > 0xFF) {
    return text_result({});
  }
  const char byte = static_cast<char>(code);
  return text_result(std::string_view(&byte, 1));
}

abi::ArgRecord find_text(Args args) {
  const ArgReader in("FindText", args);
  return int_result(
      text_ops::find(in.text(0), in.text(1), in.integer_or(2, 1), in.flag_or(3, false)));
}

// The third argument (a start counted from the end) is not used.
abi::ArgRecord locate_text(Args args) {
  const ArgReader in("LocateText", args);
  return int_result(text_ops::find_last(in.text(0), in.text(1), in.flag_or(3, false)));
}

abi::ArgRecord to_upper_case(Args args) {
  return text_result(gbk_scan::to_upper(ArgReader("ToUpperCase", args).text(0)));
}

abi::ArgRecord to_lower_case(Args args) {
  return text_result(gbk_scan::to_lower(ArgReader("ToLowerCase", args).text(0)));
}

abi::ArgRecord text_to_number(Args args) {
  return float_result(text_ops::to_number(ArgReader("TextToNumber", args).text(0)));
}

// A text is copied, an integer written in decimal, a byte set taken as a
// text (which ends at its first zero byte).
abi::ArgRecord to_text(Args args) {
  const ArgReader in("ToText", args);
  const uint32_t tag = in.record(0).tag;
  if (tag == abi::tag::Text) {
    return text_result(in.text(0));
  }
  if (tag == abi::tag::Bytes) {
    return text_result(bytes_as_text(in.bytes(0)));
  }
  if (is_integer_tag(tag)) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, in.integer(0)).ptr;
    return text_result(std::string_view(digits, static_cast<size_t>(end - digits)));
  }
  in.fail(0, "cannot be converted to a text");
}

constexpr CommandEntry kEntries[] = {
    {abi::cmd::TextLength, text_length},
    {abi::cmd::LeftText, left_text},
    {abi::cmd::RightText, right_text},
    {abi::cmd::MidText, mid_text},
    {abi::cmd::CharText, char_text},
    {abi::cmd::FindText, find_text},
    {abi::cmd::LocateText, locate_text},
    {abi::cmd::ToUpperCase, to_upper_case},
    {abi::cmd::ToLowerCase, to_lower_case},
    {abi::cmd::TextToNumber, text_to_number},
    {abi::cmd::ToText, to_text},
};

}  // namespace

std::span<const CommandEntry> text_commands() {
  return kEntries;
}

}  // namespace core
