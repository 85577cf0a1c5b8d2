// The requests the program sends, field by field: the query and the body of
// each, in order, with the fixed values the program always sends. A request
// that differs in any of them is refused, so a client that drops a field,
// reorders the fields or sends a wrong path cannot pass against this service.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "service/form_fields.h"

namespace service {

struct FieldRule {
  std::string_view name;
  std::optional<std::string_view> fixed;  // nullopt: any value
};

struct RequestShape {
  std::string_view name;  // for the log
  std::span<const FieldRule> query;
  std::span<const FieldRule> body;
};

extern const RequestShape kVoiceCodeShape;
extern const RequestShape kRegistrationShape;
extern const RequestShape kBalanceShape;
extern const RequestShape kFreeCallShape;
extern const RequestShape kLoginShape;
extern const RequestShape kClaimShape;
// The plain fetches: the picture, the member page, the IP echo page.
extern const RequestShape kPlainGetShape;

// Empty when `fields` are exactly `rules`, in order; otherwise the first
// difference, e.g. "body field 2 is 'tel', expected 'action'". `where` is
// "query" or "body".
std::string shape_mismatch(std::span<const FieldRule> rules, const FormFields& fields,
                           std::string_view where);
// The first difference of the query, else of the body; empty when both match.
std::string request_mismatch(const RequestShape& shape, const FormFields& query,
                             const FormFields& body);

}  // namespace service
