#include "runtime/core_commands.h"

#include <bit>

#include "runtime/marshal.h"
#include "runtime/program_services.h"

namespace rt {

using namespace marshal;

Text program_directory() {
  return text_of(core(abi::cmd::GetProgramDirectory, {}));
}

int32_t text_length(TextView t) {
  return integer_of(core(abi::cmd::TextLength, {text(t)}));
}

Text left_text(TextView t, int32_t count) {
  return text_of(core(abi::cmd::LeftText, {text(t), integer(count)}));
}

Text right_text(TextView t, int32_t count) {
  return text_of(core(abi::cmd::RightText, {text(t), integer(count)}));
}

Text mid_text(TextView t, int32_t start, int32_t count) {
  return text_of(core(abi::cmd::MidText, {text(t), integer(start), integer(count)}));
}

Text char_text(int32_t code) {
  return text_of(core(abi::cmd::CharText, {integer(code)}));
}

int32_t find_text(TextView t, TextView sought, int32_t start, bool ignore_case) {
  return integer_of(
      core(abi::cmd::FindText, {text(t), text(sought), integer(start), flag(ignore_case)}));
}

int32_t locate_text(TextView t, TextView sought) {
  return integer_of(core(abi::cmd::LocateText, {text(t), text(sought), kOmitted, flag(false)}));
}

Text to_upper(TextView t) {
  return text_of(core(abi::cmd::ToUpperCase, {text(t)}));
}

Text to_lower(TextView t) {
  return text_of(core(abi::cmd::ToLowerCase, {text(t)}));
}

double text_to_number(TextView t) {
  return abi::float_of(core(abi::cmd::TextToNumber, {text(t)}));
}

Text to_text(TextView t) {
  return text_of(core(abi::cmd::ToText, {text(t)}));
}

Text to_text(int32_t number) {
  return text_of(core(abi::cmd::ToText, {integer(number)}));
}

Text to_text(BytesView b) {
  return text_of(core(abi::cmd::ToText, {bytes(b)}));
}

Text trim_spaces(TextView t) {
  return text_of(core(abi::cmd::TrimSpaces, {text(t)}));
}

Text remove_spaces(TextView t) {
  return text_of(core(abi::cmd::RemoveSpaces, {text(t)}));
}

Text replace_range(TextView t, int32_t start, int32_t count, TextView replacement) {
  return text_of(
      core(abi::cmd::ReplaceRange, {text(t), integer(start), integer(count), text(replacement)}));
}

Text replace_all(TextView t, TextView sought, TextView replacement) {
  return text_of(core(abi::cmd::ReplaceAll,
                      {text(t), text(sought), text(replacement), kOmitted, kOmitted, flag(true)}));
}

Text blank_text(int32_t count) {
  return text_of(core(abi::cmd::BlankText, {integer(count)}));
}

int32_t compare_text(TextView a, TextView b, bool case_matters) {
  return integer_of(core(abi::cmd::CompareText, {text(a), text(b), flag(case_matters)}));
}

TextArray split_text(TextView t, TextView delimiter) {
  const abi::ArgRecord result = core(abi::cmd::SplitText, {text(t), text(delimiter), kOmitted});
  return TextArray::adopt(reinterpret_cast<void*>(result.value));
}

int32_t bytes_length(BytesView b) {
  return integer_of(core(abi::cmd::BytesLength, {bytes(b)}));
}

Bytes text_to_bytes(TextView t) {
  return bytes_of(core(abi::cmd::TextToBytes, {text(t)}));
}

Text bytes_to_value(BytesView b) {
  constexpr int32_t kTextType = 10;
  const abi::ArgRecord value =
      core(abi::cmd::BytesToValue, {bytes(b), integer(kTextType), kOmitted});
  if (value.tag != abi::tag::Text) {
    report_runtime_error(abi::error::ValueNotText);
  }
  return text_of(value);
}

Bytes left_bytes(BytesView b, int32_t count) {
  return bytes_of(core(abi::cmd::LeftBytes, {bytes(b), integer(count)}));
}

Bytes zero_bytes(int32_t count) {
  return bytes_of(core(abi::cmd::ZeroBytes, {integer(count)}));
}

bool make_directory(TextView path) {
  return core(abi::cmd::MakeDirectory, {text(path)}).value != 0;
}

Bytes read_whole_file(TextView path) {
  return bytes_of(core(abi::cmd::ReadWholeFile, {text(path)}));
}

bool write_whole_file(TextView path, BytesView b) {
  return core(abi::cmd::WriteWholeFile, {text(path), bytes(b)}).value != 0;
}

}  // namespace rt
