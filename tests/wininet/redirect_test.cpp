#include <gtest/gtest.h>

#include <string>

#include "tests/wininet/http_server.h"
#include "tests/wininet/wininet_client.h"

namespace {

using wininet_test::FetchArgs;
using wininet_test::HttpServer;

FetchArgs args_for(const HttpServer& server, const std::string& verb, const std::string& path) {
  FetchArgs args;
  args.host = wininet_test::routed_host(server.port());
  args.port = server.port();
  args.verb = verb;
  args.path = path;
  return args;
}

struct RedirectRow {
  const char* name;
  int status;
  bool followed;
  const char* landing_method;
  const char* landing_length;  // Content-Length seen on the landing request
};

class PostRedirect : public testing::TestWithParam<RedirectRow> {};

TEST_P(PostRedirect, FollowsLikeWinInet) {
  const auto& row = GetParam();
  HttpServer server([&](httplib::Server& s, HttpServer& self) {
    s.Post("/start", [&](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.status = row.status;
      res.set_header("Location", "/landing");
      res.set_content("moved", "text/plain");
    });
    const auto landing = [&](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.set_content("landed", "text/plain");
    };
    s.Get("/landing", landing);
    s.Post("/landing", landing);
  });
  FetchArgs args = args_for(server, "POST", "/start");
  args.headers = "Content-Type: application/x-www-form-urlencoded\r\nX-Keep: 1\r\n";
  args.body = "tel=123";
  const auto fetched = wininet_test::fetch(args);
  ASSERT_TRUE(fetched.sent) << fetched.send_error;
  const auto seen = server.seen();
  ASSERT_EQ(seen.size(), row.followed ? 2u : 1u);
  EXPECT_EQ(seen[0].body, "tel=123");
  if (!row.followed) {
    EXPECT_EQ(fetched.status, static_cast<DWORD>(row.status));
    EXPECT_EQ(fetched.body, "moved");
    return;
  }
  EXPECT_EQ(fetched.status, 200u);
  EXPECT_EQ(fetched.body, "landed");
  EXPECT_EQ(seen[1].method, row.landing_method);
  EXPECT_EQ(seen[1].body, "");
  EXPECT_EQ(seen[1].header("Content-Length"), row.landing_length);
  EXPECT_EQ(seen[1].header("Content-Type"), "<none>");
  EXPECT_EQ(seen[1].header("X-Keep"), "1");
  // Queries see the final reply only.
  EXPECT_EQ(fetched.raw_headers.find("Location"), std::string::npos) << fetched.raw_headers;
}

INSTANTIATE_TEST_SUITE_P(Rows, PostRedirect,
                         testing::Values(RedirectRow{"moved_301", 301, true, "GET", "<none>"},
                                         RedirectRow{"found_302", 302, true, "GET", "<none>"},
                                         RedirectRow{"see_other_303", 303, true, "GET", "<none>"},
                                         RedirectRow{"temporary_307", 307, true, "POST", "0"},
                                         RedirectRow{"permanent_308", 308, false, "", ""},
                                         RedirectRow{"multiple_choices_300", 300, false, "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Redirect, OtherSchemeIsNotFollowed) {
  HttpServer server([](httplib::Server& s, HttpServer& self) {
    s.Get("/start", [&self](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.set_redirect("https://elsewhere.test/", 302);
    });
  });
  const auto fetched = wininet_test::fetch(args_for(server, "GET", "/start"));
  ASSERT_TRUE(fetched.sent);
  EXPECT_EQ(fetched.status, 302u);
  EXPECT_NE(fetched.raw_headers.find("Location: https://elsewhere.test/"), std::string::npos);
  EXPECT_EQ(server.seen().size(), 1u);
}

TEST(Redirect, EndlessLoopStopsAfterTwentyHops) {
  HttpServer server([](httplib::Server& s, HttpServer& self) {
    s.Get(R"(/r/(\d+))", [&self](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      const int n = std::stoi(req.matches[1]);
      res.set_redirect("/r/" + std::to_string(n + 1), 302);
      res.set_content("hop " + std::to_string(n), "text/plain");
    });
  });
  const auto fetched = wininet_test::fetch(args_for(server, "GET", "/r/0"));
  ASSERT_TRUE(fetched.sent);
  EXPECT_EQ(fetched.status, 302u);
  EXPECT_EQ(fetched.body, "hop 20");
  const auto seen = server.seen();
  ASSERT_EQ(seen.size(), 21u);
  EXPECT_EQ(seen.back().path, "/r/20");
}

TEST(Redirect, CookieOfTheRedirectReachesTheNextHop) {
  HttpServer server([](httplib::Server& s, HttpServer& self) {
    s.Post("/login", [&self](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.set_header("Set-Cookie", "sid=abc; path=/");
      res.set_redirect("/member/home", 302);
    });
    s.Get("/member/home", [&self](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.set_content("welcome", "text/plain");
    });
  });
  const auto fetched = wininet_test::fetch(args_for(server, "POST", "/login"));
  ASSERT_TRUE(fetched.sent);
  EXPECT_EQ(fetched.body, "welcome");
  const auto seen = server.seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].header("Cookie"), "<none>");
  EXPECT_EQ(seen[1].header("Cookie"), "sid=abc");
  EXPECT_EQ(fetched.raw_headers.find("Set-Cookie"), std::string::npos);
}

}  // namespace
