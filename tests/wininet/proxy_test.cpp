#include <gtest/gtest.h>

#include <string>

#include "platform/winapi/wininet/http_request.h"
#include "platform/winapi/wininet/wininet.h"

namespace {

using winapi::wininet::proxy_for;
using winapi::wininet::Session;
using winapi::wininet::Target;

struct ProxyRow {
  const char* name;
  DWORD access_type;
  const char* proxy;
  const char* bypass;
  bool secure;
  const char* host;
  const char* expected;  // nullptr: the environment decides
};

class ProxyFor : public testing::TestWithParam<ProxyRow> {};

TEST_P(ProxyFor, PicksTheEntryForTheScheme) {
  const auto& row = GetParam();
  Session session;
  session.access_type = row.access_type;
  session.proxy = row.proxy;
  session.proxy_bypass = row.bypass;
  const auto proxy = proxy_for(session, Target{row.secure, row.host, 80, "/"});
  if (row.expected == nullptr) {
    EXPECT_FALSE(proxy);
  } else {
    ASSERT_TRUE(proxy);
    EXPECT_EQ(*proxy, row.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProxyFor,
    testing::Values(ProxyRow{"direct", INTERNET_OPEN_TYPE_DIRECT, "", "", false, "h.test", ""},
                    ProxyRow{"preconfig", INTERNET_OPEN_TYPE_PRECONFIG, "", "", false, "h.test",
                             nullptr},
                    ProxyRow{"http_entry", INTERNET_OPEN_TYPE_PROXY, "http=10.0.0.1:3128", "",
                             false, "h.test", "http://10.0.0.1:3128"},
                    ProxyRow{"http_entry_not_for_https", INTERNET_OPEN_TYPE_PROXY,
                             "http=10.0.0.1:3128", "", true, "h.test", ""},
                    ProxyRow{"scheme_entry_beats_generic", INTERNET_OPEN_TYPE_PROXY,
                             "p.test:1 https=s.test:2", "", true, "h.test", "http://s.test:2"},
                    ProxyRow{"generic_entry", INTERNET_OPEN_TYPE_PROXY, "p.test:1", "", true,
                             "h.test", "http://p.test:1"},
                    ProxyRow{"bypass_exact", INTERNET_OPEN_TYPE_PROXY, "p.test:1", "a.test;H.Test",
                             false, "h.test", ""},
                    ProxyRow{"bypass_wildcard", INTERNET_OPEN_TYPE_PROXY, "p.test:1", "*.corp",
                             false, "w.corp", ""},
                    ProxyRow{"bypass_local", INTERNET_OPEN_TYPE_PROXY, "p.test:1", "<local>", false,
                             "intranet", ""},
                    ProxyRow{"local_rule_spares_dotted", INTERNET_OPEN_TYPE_PROXY, "p.test:1",
                             "<local>", false, "h.test", "http://p.test:1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
