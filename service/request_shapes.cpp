#include "service/request_shapes.h"

#include <array>

namespace service {
namespace {

constexpr std::array<FieldRule, 1> kCheckQuery = {{{"class", "check"}}};
constexpr std::array<FieldRule, 3> kVoiceCodeBody = {{
    {"action", "taste"},
    {"tel", "10000000000"},
    {"MemberMobile", std::nullopt},
}};
constexpr std::array<FieldRule, 5> kRegistrationBody = {{
    {"class", "check"},
    {"action", "one"},
    {"tel", "10000000000"},
    {"MemberMobile", std::nullopt},
    {"VerifyCode", std::nullopt},
}};
constexpr std::array<FieldRule, 3> kBalanceBody = {{
    {"action", "balance"},
    {"url", std::nullopt},
    {"ip", std::nullopt},
}};
constexpr std::array<FieldRule, 4> kFreeCallBody = {{
    {"action", "sendfreecall"},
    {"tel", std::nullopt},
    {"url", std::nullopt},
    {"ip", std::nullopt},
}};
constexpr std::array<FieldRule, 8> kLoginBody = {{
    {"top", "1"},
    {"NoCode", "1"},
    {"RedirectUrl", "/p.php"},
    {"MemberCode", std::nullopt},
    {"MemberPassword", std::nullopt},
    {"ValidCode", std::nullopt},
    {"Image2.x", "73"},
    {"Image2.y", "14"},
}};
constexpr std::array<FieldRule, 2> kClaimQuery = {{
    {"class", "giving"},
    {"hash", std::nullopt},
}};

}  // namespace

const RequestShape kVoiceCodeShape{"voice code", kCheckQuery, kVoiceCodeBody};
const RequestShape kRegistrationShape{"registration", {}, kRegistrationBody};
const RequestShape kBalanceShape{"balance", {}, kBalanceBody};
const RequestShape kFreeCallShape{"free call", {}, kFreeCallBody};
const RequestShape kLoginShape{"login", {}, kLoginBody};
const RequestShape kClaimShape{"weekly claim", kClaimQuery, {}};
const RequestShape kPlainGetShape{"page", {}, {}};

std::string shape_mismatch(std::span<const FieldRule> rules, const FormFields& fields,
                           std::string_view where) {
  const auto& given = fields.entries();
  const std::string label(where);
  for (size_t i = 0; i < rules.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    if (i >= given.size()) {
      return label + " field " + number + " '" + std::string(rules[i].name) + "' is missing";
    }
    const auto& [name, value] = given[i];
    if (name != rules[i].name) {
      return label + " field " + number + " is '" + name + "', expected '" +
             std::string(rules[i].name) + "'";
    }
    if (rules[i].fixed && value != *rules[i].fixed) {
      return label + " field '" + name + "' is '" + value + "', expected '" +
             std::string(*rules[i].fixed) + "'";
    }
  }
  if (given.size() > rules.size()) {
    return label + " field " + std::to_string(rules.size() + 1) + " '" + given[rules.size()].first +
           "' is not expected";
  }
  return {};
}

std::string request_mismatch(const RequestShape& shape, const FormFields& query,
                             const FormFields& body) {
  std::string problem = shape_mismatch(shape.query, query, "query");
  if (problem.empty()) {
    problem = shape_mismatch(shape.body, body, "body");
  }
  return problem;
}

}  // namespace service
