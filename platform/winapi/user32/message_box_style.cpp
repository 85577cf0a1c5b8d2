#include "platform/winapi/user32/message_box_style.h"

#include <algorithm>
#include <array>

#include "platform/winapi/api.h"

namespace winapi::user32 {

namespace {

constexpr std::array<int, 1> kOk = {IDOK};
constexpr std::array<int, 2> kOkCancel = {IDOK, IDCANCEL};
constexpr std::array<int, 3> kAbortRetryIgnore = {IDABORT, IDRETRY, IDIGNORE};
constexpr std::array<int, 3> kYesNoCancel = {IDYES, IDNO, IDCANCEL};
constexpr std::array<int, 2> kYesNo = {IDYES, IDNO};
constexpr std::array<int, 2> kRetryCancel = {IDRETRY, IDCANCEL};
constexpr std::array<int, 3> kCancelTryContinue = {IDCANCEL, IDTRYAGAIN, IDCONTINUE};

constexpr std::array<std::span<const int>, 7> kButtonSets = {
    kOk, kOkCancel, kAbortRetryIgnore, kYesNoCancel, kYesNo, kRetryCancel, kCancelTryContinue};

constexpr UINT kTypeMask = 0xF;
constexpr UINT kIconMask = 0xF0;
constexpr UINT kDefaultMask = 0xF00;

BoxIcon icon_of(UINT style) {
  switch (style & kIconMask) {
    case MB_ICONERROR:
      return BoxIcon::Error;
    case MB_ICONQUESTION:
      return BoxIcon::Question;
    case MB_ICONWARNING:
      return BoxIcon::Warning;
    case MB_ICONINFORMATION:
      return BoxIcon::Information;
    default:
      return BoxIcon::None;
  }
}

}  // namespace

std::optional<BoxStyle> decode_box_style(UINT style) {
  const UINT type = style & kTypeMask;
  if (type >= kButtonSets.size()) {
    return std::nullopt;
  }
  const std::span<const int> answers = kButtonSets[type];
  // MB_DEFBUTTONn past the last button falls back to the first.
  const size_t default_index = (style & kDefaultMask) >> 8;
  BoxStyle result{answers, answers[default_index < answers.size() ? default_index : 0],
                  std::nullopt, icon_of(style), (style & MB_TOPMOST) != 0};
  if (std::ranges::find(answers, IDCANCEL) != answers.end()) {
    result.escape_answer = IDCANCEL;
  } else if (type == MB_OK) {
    result.escape_answer = IDOK;
  }
  return result;
}

}  // namespace winapi::user32
