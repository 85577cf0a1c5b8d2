// The runtime's text, byte-set and file commands, one function each.
// Positions and lengths count GBK bytes, positions from 1.
#pragma once

#include <cstdint>

#include "runtime/blocks.h"

namespace rt {

Text program_directory();

int32_t text_length(TextView text);
Text left_text(TextView text, int32_t count);
Text right_text(TextView text, int32_t count);
Text mid_text(TextView text, int32_t start, int32_t count);
Text char_text(int32_t code);
// -1 when `sought` does not occur at or after `start`.
int32_t find_text(TextView text, TextView sought, int32_t start = 1, bool ignore_case = false);
// Position of the last occurrence, -1 when there is none.
int32_t locate_text(TextView text, TextView sought);
Text to_upper(TextView text);
Text to_lower(TextView text);
double text_to_number(TextView text);
Text to_text(TextView text);
Text to_text(int32_t number);
Text to_text(BytesView bytes);
Text trim_spaces(TextView text);
Text remove_spaces(TextView text);
Text replace_range(TextView text, int32_t start, int32_t count, TextView replacement = {});
Text replace_all(TextView text, TextView sought, TextView replacement);
Text blank_text(int32_t count);
// 0 when equal; letter case counts only when asked.
int32_t compare_text(TextView a, TextView b, bool case_matters = false);
TextArray split_text(TextView text, TextView delimiter);

int32_t bytes_length(BytesView bytes);
Bytes text_to_bytes(TextView text);
// The bytes as a text; a result that is not a text is runtime error 5.
Text bytes_to_value(BytesView bytes);
Bytes left_bytes(BytesView bytes, int32_t count);
Bytes zero_bytes(int32_t count);

bool make_directory(TextView path);
Bytes read_whole_file(TextView path);
bool write_whole_file(TextView path, BytesView bytes);

}  // namespace rt
