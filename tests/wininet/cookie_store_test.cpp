#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/winapi/wininet/cookie_store.h"

namespace {

using winapi::wininet::CookieOrigin;
using winapi::wininet::CookieStore;

constexpr const char* kFuture = "; expires=Fri, 01 Jan 2100 00:00:00 GMT";
constexpr const char* kPast = "; expires=Thu, 01 Jan 1970 00:00:01 GMT";

class CookieStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/cookie_store_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ / "winapi" / "cookies.txt";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string file_text() const {
    std::ifstream in(file_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path dir_;
  std::filesystem::path file_;
};

const CookieOrigin kSite{"h.test", "/"};

TEST_F(CookieStoreTest, SendsMatchingCookiesAsOneValueLongerPathFirst) {
  CookieStore store(file_);
  EXPECT_FALSE(store.set("a=1", kSite));
  EXPECT_FALSE(store.set("b=2; path=/app", kSite));
  EXPECT_FALSE(store.set("c=3", kSite));
  EXPECT_EQ(store.header_for(CookieOrigin{"h.test", "/app/x"}, false), "b=2; a=1; c=3");
  EXPECT_EQ(store.header_for(CookieOrigin{"h.test", "/other"}, false), "a=1; c=3");
  EXPECT_EQ(store.header_for(CookieOrigin{"other.test", "/"}, false), "");
}

TEST_F(CookieStoreTest, SameNameAndPathReplacesInPlace) {
  CookieStore store(file_);
  store.set("a=1", kSite);
  store.set("b=2", kSite);
  store.set("a=9", kSite);
  store.set("a=7; path=/x", kSite);
  EXPECT_EQ(store.header_for(CookieOrigin{"h.test", "/"}, false), "a=9; b=2");
  EXPECT_EQ(store.header_for(CookieOrigin{"h.test", "/x"}, false), "a=7; a=9; b=2");
}

TEST_F(CookieStoreTest, PastExpiryDeletesFromMemoryAndFile) {
  CookieStore store(file_);
  store.set(std::string("keep=1") + kFuture, kSite);
  store.set(std::string("gone=1") + kFuture, kSite);
  store.set("session=1", kSite);
  EXPECT_EQ(store.header_for(kSite, false), "keep=1; gone=1; session=1");
  store.set(std::string("gone=x") + kPast, kSite);
  store.set(std::string("session=x") + kPast, kSite);
  EXPECT_EQ(store.header_for(kSite, false), "keep=1");
  EXPECT_EQ(file_text(),
            "# Netscape HTTP Cookie File\nh.test\tFALSE\t/\tFALSE\t4102444800\tkeep\t1\n");
}

TEST_F(CookieStoreTest, RefusedLineReportsWhy) {
  CookieStore store(file_);
  EXPECT_EQ(store.set("a=1; domain=other.test", kSite),
            "domain 'other.test' does not suit host 'h.test'");
  EXPECT_EQ(store.header_for(kSite, false), "");
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(CookieStoreTest, FileIsPrivateAndOnlyHoldsPersistentCookies) {
  {
    CookieStore first(file_);
    first.set(std::string("keep=1") + kFuture, kSite);
    first.set("session=1", kSite);
  }
  struct stat st {};
  ASSERT_EQ(stat(file_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(file_.parent_path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  CookieStore second(file_);
  EXPECT_EQ(second.header_for(kSite, false), "keep=1");
}

TEST_F(CookieStoreTest, SeesWhatAnotherStoreWroteLater) {
  CookieStore mine(file_);
  CookieStore other(file_);
  mine.set("session=1", kSite);
  EXPECT_EQ(mine.header_for(kSite, false), "session=1");
  other.set(std::string("p=2") + kFuture, kSite);
  EXPECT_EQ(mine.header_for(kSite, false), "session=1; p=2");
}

TEST_F(CookieStoreTest, MalformedFileLinesAreSkipped) {
  std::filesystem::create_directories(file_.parent_path());
  std::ofstream(file_) << "# Netscape HTTP Cookie File\n"
                       << "garbage line\n"
                       << "h.test\tFALSE\t/\tFALSE\t4102444800\tok\t1\n"
                       << "h.test\tFALSE\t/\tFALSE\t100\told\t1\n"
                       << ".h.test\tTRUE\t/\tFALSE\t4102444800\tdom\t2\r\n";
  CookieStore store(file_);
  EXPECT_EQ(store.header_for(CookieOrigin{"w.h.test", "/"}, false), "dom=2");
  EXPECT_EQ(store.header_for(kSite, false), "ok=1; dom=2");
}

TEST_F(CookieStoreTest, HostileServerCannotGrowOneDomainWithoutEnd) {
  CookieStore store(std::nullopt);
  for (int i = 0; i < 200; ++i) {
    store.set("c" + std::to_string(i) + "=v", kSite);
  }
  const std::string header = store.header_for(kSite, false);
  EXPECT_EQ(std::count(header.begin(), header.end(), '='), 50);
  EXPECT_TRUE(header.starts_with("c150=v; ")) << header.substr(0, 40);
}

}  // namespace
