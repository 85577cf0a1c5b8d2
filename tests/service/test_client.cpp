#include "test_client.h"

#include <curl/curl.h>

#include <cctype>
#include <memory>

namespace service_test {
namespace {

struct CurlCloser {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct SlistCloser {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

size_t append(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

std::string lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

}  // namespace

std::string HttpReply::header(const std::string& name) const {
  const std::string wanted = lower(name) + ":";
  size_t start = 0;
  while (start < headers.size()) {
    const size_t end = headers.find("\r\n", start);
    const std::string line = headers.substr(start, end - start);
    if (lower(line.substr(0, wanted.size())) == wanted) {
      const size_t value = line.find_first_not_of(' ', wanted.size());
      return value == std::string::npos ? std::string() : line.substr(value);
    }
    start = end == std::string::npos ? headers.size() : end + 2;
  }
  return {};
}

HttpReply TestClient::get(const std::string& path) {
  return perform(path, nullptr, "");
}

HttpReply TestClient::post(const std::string& path, const std::string& body) {
  return perform(path, &body, "application/x-www-form-urlencoded");
}

HttpReply TestClient::post_as(const std::string& path, const std::string& content_type,
                              const std::string& body) {
  return perform(path, &body, content_type);
}

HttpReply TestClient::perform(const std::string& path, const std::string* body,
                              const std::string& content_type) {
  HttpReply reply;
  std::unique_ptr<CURL, CurlCloser> curl(curl_easy_init());
  if (!curl) {
    return reply;
  }
  const std::string url = "http://127.0.0.1:" + std::to_string(port_) + path;
  std::unique_ptr<curl_slist, SlistCloser> headers;
  auto add_header = [&headers](const std::string& line) {
    curl_slist* longer = curl_slist_append(headers.get(), line.c_str());
    if (longer != nullptr) {
      headers.release();
      headers.reset(longer);
    }
  };
  add_header("Accept:");
  if (!session_.empty()) {
    add_header("Cookie: lyb_session=" + session_);
  }
  if (body != nullptr) {
    add_header("Content-Type: " + content_type);
  }
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, 20L);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  if (body != nullptr) {
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, body->data());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
  }
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, append);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &reply.body);
  curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, append);
  curl_easy_setopt(c, CURLOPT_HEADERDATA, &reply.headers);
  if (curl_easy_perform(c) != CURLE_OK) {
    return HttpReply{};
  }
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply.status);
  const std::string cookie = reply.header("Set-Cookie");
  const std::string prefix = "lyb_session=";
  if (cookie.starts_with(prefix)) {
    session_ = cookie.substr(prefix.size(), cookie.find(';') - prefix.size());
  }
  return reply;
}

}  // namespace service_test
