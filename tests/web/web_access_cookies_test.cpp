#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/web/web_fixture.h"
#include "tests/wininet/http_server.h"
#include "tests/wininet/raw_server.h"
#include "web/web_access.h"

namespace {

using program::Dll;
using web_test::ConnectTo;
using wininet_test::Peer;
using wininet_test::RawServer;

// The value of the request's Cookie line, or "<none>".
std::string cookie_line(const std::string& request) {
  const auto at = request.find("\r\nCookie: ");
  if (at == std::string::npos) {
    return "<none>";
  }
  const auto start = at + 10;
  return request.substr(start, request.find("\r\n", start) - start);
}

using CookieCall = std::vector<std::string>;  // url, name, data

class WebAccessCookies : public web_test::WebFixture {
 protected:
  std::vector<CookieCall> cookie_calls() {
    std::vector<CookieCall> found;
    for (const auto& c : calls_of(Dll::InternetSetCookieA)) {
      found.push_back(c.texts);
    }
    return found;
  }
};

TEST_F(WebAccessCookies, EachSetCookieLineIsStoredInOrderAndSentBack) {
  RawServer server([](Peer& peer, const std::string&, int index) {
    peer.send(index == 0 ? wininet_test::reply("in",
                                               "Set-Cookie: a=1; path=/\r\n"
                                               "X-Set-Cookie: z=9\r\n"
                                               "Set-Cookie: b=2=two; path=/\r\n"
                                               "set-cookie: c=3\r\n")
                         : wininet_test::reply("again"));
  });
  const ConnectTo route("three.test:80", server.port());
  EXPECT_EQ(bytes_of(web::网页_访问("three.test/login")), "in");
  EXPECT_EQ(cookie_calls(), (std::vector<CookieCall>{{"http://three.test", "a", "1; path=/"},
                                                     {"http://three.test", "b", "2=two; path=/"},
                                                     {"http://three.test", "c", "3"}}));
  EXPECT_EQ(bytes_of(web::网页_访问("http://three.test/p.php")), "again");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(cookie_line(requests[0]), "<none>");
  const std::string sent = cookie_line(requests[1]);
  for (const char* cookie : {"a=1", "b=2=two", "c=3"}) {
    EXPECT_NE(sent.find(cookie), std::string::npos) << sent;
  }
  EXPECT_EQ(sent.find("z="), std::string::npos) << sent;
}

TEST_F(WebAccessCookies, ACookieSetOnARedirectSurvivesIt) {
  wininet_test::HttpServer server([](httplib::Server& s, wininet_test::HttpServer& self) {
    s.Post("/validate.php", [&self](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.status = 302;
      res.set_header("Set-Cookie", "member=42; path=/");
      res.set_header("Location", "/p.php");
    });
    s.Get("/p.php", [&self](const httplib::Request& req, httplib::Response& res) {
      self.record(req);
      res.set_content(req.get_header_value("Cookie") == "member=42" ? "p.php member" : "guest",
                      "text/html");
    });
  });
  const ConnectTo route("redirect.test:80", server.port());
  const rt::Bytes page =
      web::网页_访问("http://redirect.test/validate.php", {.access_method = 1, .data = "top=1"});
  EXPECT_EQ(bytes_of(page), "p.php member");
  // Only the final reply's headers reach the routine: WinINet stored the cookie itself.
  EXPECT_TRUE(cookie_calls().empty());
  EXPECT_EQ(bytes_of(web::网页_访问("http://redirect.test/p.php")), "p.php member");
  const auto seen = server.seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].method, "GET");
  EXPECT_EQ(seen[2].header("Cookie"), "member=42");
}

// A reply whose headers pass 1,024 bytes is asked again with the size it
// needs, and its cookies are stored all the same.
TEST_F(WebAccessCookies, LongReplyHeadersStillGiveTheirCookies) {
  const std::string padding = "X-Padding: " + std::string(2000, 'p') + "\r\n";
  RawServer server([&padding](Peer& peer, const std::string&, int index) {
    peer.send(index == 0 ? wininet_test::reply("long", padding + "Set-Cookie: long=yes\r\n")
                         : wininet_test::reply("next"));
  });
  const ConnectTo route("long.test:80", server.port());
  EXPECT_EQ(bytes_of(web::网页_访问("http://long.test/")), "long");
  const auto queries = calls_of(Dll::HttpQueryInfoA);
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_EQ(queries[0].words[1], 22u);
  EXPECT_EQ(cookie_calls(), (std::vector<CookieCall>{{"http://long.test", "long", "yes"}}));
  EXPECT_EQ(bytes_of(web::网页_访问("http://long.test/")), "next");
  EXPECT_EQ(cookie_line(server.requests().at(1)), "long=yes");
}

TEST_F(WebAccessCookies, ShortHeadersAreQueriedOnce) {
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send(wininet_test::reply("short", "Set-Cookie: s=1\r\n"));
  });
  const ConnectTo route("short.test:80", server.port());
  EXPECT_EQ(bytes_of(web::网页_访问("http://short.test/")), "short");
  const auto queries = calls_of(Dll::HttpQueryInfoA);
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(cookie_calls(), (std::vector<CookieCall>{{"http://short.test", "s", "1"}}));
}

TEST_F(WebAccessCookies, ALineWithoutEqualsSignStoresNothing) {
  RawServer server([](Peer& peer, const std::string&, int) {
    peer.send(wininet_test::reply("x", "Set-Cookie: novalue\r\nSet-Cookie: ok=1\r\n"));
  });
  const ConnectTo route("noequals.test:80", server.port());
  EXPECT_EQ(bytes_of(web::网页_访问("http://noequals.test/")), "x");
  EXPECT_EQ(cookie_calls(), (std::vector<CookieCall>{{"http://noequals.test", "ok", "1"}}));
}

// The data goes to the store with its attributes, so an expiry in the future
// keeps a cookie per user and one in the past deletes it.
TEST_F(WebAccessCookies, AttributesTravelUnchangedSoExpiryCounts) {
  RawServer server([](Peer& peer, const std::string&, int index) {
    const char* cookies[] = {
        "Set-Cookie: keep=1; expires=Wed, 01 Jan 2098 00:00:00 GMT; path=/\r\n"
        "Set-Cookie: gone=1; path=/\r\n",
        "Set-Cookie: gone=0; expires=Thu, 01 Jan 1970 00:00:00 GMT; path=/\r\n", ""};
    peer.send(wininet_test::reply("x", cookies[std::min(index, 2)]));
  });
  const ConnectTo route("expiry.test:80", server.port());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bytes_of(web::网页_访问("http://expiry.test/")), "x");
  }
  EXPECT_EQ(cookie_calls().at(0), (CookieCall{"http://expiry.test", "keep",
                                              "1; expires=Wed, 01 Jan 2098 00:00:00 GMT; path=/"}));
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(cookie_line(requests[1]), "keep=1; gone=1");
  EXPECT_EQ(cookie_line(requests[2]), "keep=1");
  std::ifstream file(std::string(std::getenv("XDG_DATA_HOME")) + "/winapi/cookies.txt");
  const std::string stored((std::istreambuf_iterator<char>(file)), {});
  EXPECT_NE(stored.find("keep"), std::string::npos) << stored;
}

}  // namespace
