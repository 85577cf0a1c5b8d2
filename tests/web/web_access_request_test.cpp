#include <gtest/gtest.h>

#include <string>

#include "tests/web/web_fixture.h"
#include "tests/wininet/raw_server.h"
#include "web/web_access.h"

namespace {

using program::Dll;
using web_test::ConnectTo;
using wininet_test::Peer;
using wininet_test::RawServer;

constexpr const char* kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::string replace_port(std::string text, int port) {
  for (size_t at; (at = text.find("{P}")) != std::string::npos;) {
    text.replace(at, 3, std::to_string(port));
  }
  return text;
}

class WebAccessRequest : public web_test::WebFixture {
 protected:
  RawServer server_{
      [](Peer& peer, const std::string&, int) { peer.send(wininet_test::reply("ok")); }};
  int port() const { return server_.port(); }
  // The lines the platform adds of its own.
  std::string platform_lines() const {
    return "User-Agent: " + std::string(kAgent) + "\r\n" +
           replace_port("Host: 127.0.0.1:{P}\r\n", port());
  }
  std::string only_request() {
    const auto requests = server_.requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? std::string() : requests[0];
  }
  std::string sent_headers() {
    const auto sends = calls_of(Dll::HttpSendRequestA);
    return sends.size() == 1 ? sends[0].texts[0] : std::string("<not sent once>");
  }
};

TEST_F(WebAccessRequest, GetSendsTheDefaultHeadersInOrder) {
  const std::string url = replace_port("http://127.0.0.1:{P}/p.php", port());
  const rt::Bytes reply = web::网页_访问(url.c_str());
  EXPECT_EQ(bytes_of(reply), "ok");
  const std::string referer = "Referer: " + url + "\r\n";
  EXPECT_EQ(only_request(), "GET /p.php HTTP/1.1\r\n" + std::string(kAccept) + referer +
                                "Accept-Language: zh-cn\r\n" + platform_lines() + "\r\n");
}

TEST_F(WebAccessRequest, PostSendsTheFormTypeTheLengthAndTheBody) {
  const std::string url = replace_port("http://127.0.0.1:{P}/url.php", port());
  const rt::Bytes reply =
      web::网页_访问(url.c_str(), {.access_method = 1, .data = "action=balance&url=x"});
  EXPECT_EQ(bytes_of(reply), "ok");
  EXPECT_EQ(only_request(), "POST /url.php HTTP/1.1\r\n" + std::string(kAccept) +
                                "Referer: " + url + "\r\n" + "Accept-Language: zh-cn\r\n" +
                                "Content-Type: application/x-www-form-urlencoded\r\n" +
                                "Content-Length: 20\r\n" + platform_lines() +
                                "\r\naction=balance&url=x");
}

TEST_F(WebAccessRequest, EveryCallOpensConnectsAndClosesInReverseOrder) {
  const std::string url = replace_port("127.0.0.1:{P}", port());
  const rt::Bytes reply = web::网页_访问(url.c_str());
  std::vector<Dll> order;
  for (const auto& c : calls()) {
    order.push_back(c.function);
  }
  const std::vector<Dll> expected = {Dll::InternetOpenA,       Dll::InternetConnectA,
                                     Dll::HttpOpenRequestA,    Dll::HttpSendRequestA,
                                     Dll::InternetReadFile,    Dll::InternetReadFile,
                                     Dll::HttpQueryInfoA,      Dll::InternetCloseHandle,
                                     Dll::InternetCloseHandle, Dll::InternetCloseHandle};
  EXPECT_EQ(order, expected);
  const auto closes = calls_of(Dll::InternetCloseHandle);
  ASSERT_EQ(closes.size(), 3u);
  const uint64_t request = calls_of(Dll::HttpSendRequestA)[0].words[0];
  EXPECT_EQ(closes[0].words[0], request);
  EXPECT_EQ(closes[2].words[0], calls_of(Dll::InternetConnectA)[0].words[0]);
  // Events are handled before every read, and only then.
  const auto reads = calls_of(Dll::InternetReadFile);
  for (size_t i = 0; i < reads.size(); ++i) {
    EXPECT_EQ(reads[i].events_before, static_cast<int>(i + 1));
    EXPECT_EQ(reads[i].words[2], 512u);
  }
  EXPECT_EQ(process_events_count(), 2);
  const auto open = calls_of(Dll::InternetOpenA)[0];
  EXPECT_EQ(open.texts, (std::vector<std::string>{kAgent, "", ""}));
  EXPECT_EQ(open.words[1], 1u);  // direct
  const auto request_open = calls_of(Dll::HttpOpenRequestA)[0];
  EXPECT_EQ(request_open.texts, (std::vector<std::string>{"GET", "/", "HTTP/1.1", ""}));
  EXPECT_EQ(request_open.words[5], 0u);  // no accepted-types list
  EXPECT_EQ(request_open.words[6], 0x80000000u);
}

struct UrlRow {
  const char* name;
  const char* url;         // {P}: the server's port
  const char* connect_to;  // host:port reaching the server, or "" for 127.0.0.1:{P}
  const char* host;        // given to InternetConnectA
  int port;                // given to InternetConnectA; -1: the server's
  const char* path;
  const char* referer;  // the normalised URL
  const char* host_line;
};

class UrlForms : public WebAccessRequest, public ::testing::WithParamInterface<UrlRow> {};

TEST_P(UrlForms, ConnectRequestAndRefererFollowTheUrl) {
  const UrlRow& row = GetParam();
  std::unique_ptr<ConnectTo> route;
  if (row.connect_to[0] != '\0') {
    route = std::make_unique<ConnectTo>(row.connect_to, port());
  }
  const rt::Bytes reply = web::网页_访问(replace_port(row.url, port()).c_str());
  EXPECT_EQ(bytes_of(reply), "ok");
  const auto connect = calls_of(Dll::InternetConnectA);
  ASSERT_EQ(connect.size(), 1u);
  EXPECT_EQ(connect[0].texts[0], row.host);
  EXPECT_EQ(static_cast<int>(connect[0].words[2]), row.port < 0 ? port() : row.port);
  EXPECT_EQ(calls_of(Dll::HttpOpenRequestA)[0].texts[1], row.path);
  const std::string request = only_request();
  EXPECT_TRUE(request.starts_with("GET " + std::string(row.path) + " HTTP/1.1\r\n")) << request;
  EXPECT_NE(request.find("\r\nReferer: " + replace_port(row.referer, port()) + "\r\n"),
            std::string::npos)
      << request;
  EXPECT_NE(request.find("\r\nHost: " + replace_port(row.host_line, port()) + "\r\n"),
            std::string::npos)
      << request;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UrlForms,
    ::testing::Values(UrlRow{"NoScheme", "127.0.0.1:{P}/a?x=1", "", "127.0.0.1", -1, "/a?x=1",
                             "http://127.0.0.1:{P}/a?x=1", "127.0.0.1:{P}"},
                      UrlRow{"Blanks", "   http://127.0.0.1:{P}/b  ", "", "127.0.0.1", -1, "/b",
                             "http://127.0.0.1:{P}/b", "127.0.0.1:{P}"},
                      UrlRow{"CapitalsInTheHost", "http://Web.EXAMPLE.test/C/D",
                             "web.example.test:80", "web.example.test", 80, "/C/D",
                             "http://Web.EXAMPLE.test/C/D", "web.example.test"},
                      UrlRow{"BareHost", "http://bare.test", "bare.test:80", "bare.test", 80, "/",
                             "http://bare.test", "bare.test"},
                      UrlRow{"Port8080WithQuery", "q.test:8080/s/p.php?class=giving&hash=ab",
                             "q.test:8080", "q.test", 8080, "/s/p.php?class=giving&hash=ab",
                             "http://q.test:8080/s/p.php?class=giving&hash=ab", "q.test:8080"},
                      UrlRow{"ColonWithoutDigits", "http://nodigits.test:/x", "nodigits.test:80",
                             "nodigits.test", 0, "/x", "http://nodigits.test:/x", "nodigits.test"},
                      UrlRow{"PortThatIsNoNumber", "http://word.test:http/x", "word.test:80",
                             "word.test", 0, "/x", "http://word.test:http/x", "word.test"},
                      // A host that also occurs inside the scheme.
                      UrlRow{"HostInsideTheScheme", "http://t/abc", "t:80", "t", 80, "/abc",
                             "http://t/abc", "t"}),
    [](const auto& info) { return std::string(info.param.name); });

class RefusedMethods : public WebAccessRequest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(RefusedMethods, ShowTheMessageAndOpenNothing) {
  const std::string url = replace_port("http://127.0.0.1:{P}/", port());
  ::testing::internal::CaptureStderr();
  const rt::Bytes reply = web::网页_访问(url.c_str(), {.access_method = GetParam(), .data = "a=1"});
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(reply.empty());
  EXPECT_NE(err.find("[友情提醒] 【网页_访问】命令的第二个【访问方式】参数有误,请返回修改"),
            std::string::npos)
      << err;
  const auto boxes = calls_of(Dll::MessageBoxA);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].words[3], 0u);  // one OK button
  for (const auto& c : calls()) {
    EXPECT_GE(c.function, Dll::GetCurrentProcessId) << "WinINet was called";
  }
  EXPECT_TRUE(server_.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Values, RefusedMethods, ::testing::Values(2, -1, 0x7fffffff));

TEST_F(WebAccessRequest, DataWithoutMethodOneIsNotSent) {
  const std::string url = replace_port("http://127.0.0.1:{P}/g", port());
  const rt::Bytes reply = web::网页_访问(url.c_str(), {.data = "secret=1"});
  const std::string request = only_request();
  EXPECT_TRUE(request.starts_with("GET /g HTTP/1.1\r\n"));
  EXPECT_TRUE(request.ends_with("\r\n\r\n"));
  EXPECT_EQ(request.find("Content-"), std::string::npos) << request;
  EXPECT_EQ(request.find("secret"), std::string::npos);
  EXPECT_EQ(calls_of(Dll::HttpSendRequestA)[0].words[4], 0u);
}

TEST_F(WebAccessRequest, PostWithEmptyDataAddsNoFormHeaders) {
  const std::string url = replace_port("http://127.0.0.1:{P}/e", port());
  const rt::Bytes reply = web::网页_访问(url.c_str(), {.access_method = 1, .data = ""});
  EXPECT_EQ(sent_headers().find("Content-"), std::string::npos) << sent_headers();
  const std::string request = only_request();
  EXPECT_TRUE(request.starts_with("POST /e HTTP/1.1\r\n"));
  EXPECT_EQ(request.find("Content-Type"), std::string::npos);
  // The platform itself says how long the empty body is.
  EXPECT_TRUE(request.ends_with(platform_lines() + "Content-Length: 0\r\n\r\n")) << request;
}

TEST_F(WebAccessRequest, TheCallersRefererLineWinsInAnyCase) {
  const std::string url = replace_port("http://127.0.0.1:{P}/r", port());
  const rt::Bytes reply =
      web::网页_访问(url.c_str(), {.extra_headers = "referer: http://elsewhere/\r\n"});
  EXPECT_EQ(sent_headers(),
            "referer: http://elsewhere/\r\n" + std::string(kAccept) + "Accept-Language: zh-cn\r\n");
  EXPECT_NE(only_request().find("\r\nreferer: http://elsewhere/\r\n"), std::string::npos);
}

TEST_F(WebAccessRequest, AnAcceptLanguageLineIsNoAcceptLine) {
  const std::string url = replace_port("http://127.0.0.1:{P}/l", port());
  const rt::Bytes reply = web::网页_访问(
      url.c_str(), {.access_method = 1, .extra_headers = "Accept-Language: en\r\n", .data = "a=1"});
  EXPECT_EQ(sent_headers(), "Accept-Language: en\r\n" + std::string(kAccept) + "Referer: " + url +
                                "\r\n" +
                                "Content-Type: application/x-www-form-urlencoded\r\n"
                                "Content-Length: 3\r\n");
}

TEST_F(WebAccessRequest, AProxyOfBlanksConnectsDirectly) {
  const std::string url = replace_port("http://127.0.0.1:{P}/d", port());
  const rt::Bytes reply = web::网页_访问(url.c_str(), {.proxy = "   "});
  EXPECT_EQ(bytes_of(reply), "ok");
  const auto open = calls_of(Dll::InternetOpenA);
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0].words[1], 1u);
  EXPECT_EQ(open[0].texts[1], "");
}

TEST_F(WebAccessRequest, AProxyIsNamedForHttpAndCarriesTheWholeUrl) {
  const std::string url = "http://far.test/x?y=1";
  const std::string proxy = replace_port("127.0.0.1:{P}", port());
  const rt::Bytes reply = web::网页_访问(url.c_str(), {.proxy = proxy.c_str()});
  EXPECT_EQ(bytes_of(reply), "ok");
  const auto open = calls_of(Dll::InternetOpenA);
  EXPECT_EQ(open[0].words[1], 3u);
  EXPECT_EQ(open[0].texts[1], "http=" + proxy);
  EXPECT_TRUE(only_request().starts_with("GET http://far.test/x?y=1 HTTP/1.1\r\n"))
      << only_request();
}

struct SecureRow {
  const char* name;
  const char* url;
  const char* connect_to;
  int port;
  const char* path;
};

class SecureUrls : public WebAccessRequest, public ::testing::WithParamInterface<SecureRow> {};

// The request goes out as TLS: what reaches the plain server is a handshake.
TEST_P(SecureUrls, AreFetchedOverTls) {
  const SecureRow& row = GetParam();
  const ConnectTo route(row.connect_to, port());
  const rt::Bytes reply = web::网页_访问(row.url);
  EXPECT_TRUE(reply.empty());
  const auto connect = calls_of(Dll::InternetConnectA);
  ASSERT_EQ(connect.size(), 1u);
  EXPECT_EQ(connect[0].texts[0], "secure.test");
  EXPECT_EQ(static_cast<int>(connect[0].words[2]), row.port);
  const auto open = calls_of(Dll::HttpOpenRequestA);
  EXPECT_EQ(open[0].texts[1], row.path);
  EXPECT_EQ(open[0].words[6], 0x80000000u | 0x00800000u);
  const std::string hello = only_request();
  ASSERT_GE(hello.size(), 2u);
  EXPECT_EQ(hello.substr(0, 2), "\x16\x03");
}

INSTANTIATE_TEST_SUITE_P(Rows, SecureUrls,
                         ::testing::Values(SecureRow{"DefaultPort", "https://Secure.test/x",
                                                     "secure.test:443", 443, "/x"},
                                           SecureRow{"NamedPort",
                                                     "  https://secure.test:8443/y?z=1",
                                                     "secure.test:8443", 8443, "/y?z=1"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
