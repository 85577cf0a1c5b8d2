// The web access routine against libcurl's easy interface on the same
// loopback server: a 64 MiB reply (throughput and peak extra live heap) and
// 1,000 small GETs with fresh handles each, in interleaved rounds. Prints the
// ratios of the rounds' median times and the peak heap of each round, and
// fails when one misses its target.
#include <curl/curl.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/web_access/heap_count.h"
#include "bench/web_access/program_host.h"
#include "web/web_access.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kBigBody = 64u << 20;
constexpr size_t kPattern = 1u << 20;
constexpr int kSmallRequests = 1000;
constexpr int kBigRounds = 5;
constexpr int kSmallRounds = 5;

constexpr double kMinThroughputRatio = 1.0;
constexpr double kMaxSmallTimeRatio = 1.3;
constexpr double kMaxExtraMemoryRatio = 1.1;

class LoopbackServer {
 public:
  LoopbackServer() : pattern_(kPattern, '\0') {
    for (size_t i = 0; i < pattern_.size(); ++i) {
      pattern_[i] = static_cast<char>(i * 31 + 7);
    }
    // Streamed from one pattern block, so the server holds no copy of the body.
    server_.Get("/big", [this](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(kBigBody, "application/octet-stream",
                               [this](size_t offset, size_t length, httplib::DataSink& sink) {
                                 const size_t at = offset % kPattern;
                                 sink.write(pattern_.data() + at, std::min(length, kPattern - at));
                                 return true;
                               });
    });
    server_.Get("/small", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<h2>127.0.0.1</h2>", "text/html");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  ~LoopbackServer() {
    server_.stop();
    thread_.join();
  }
  std::string url(const char* path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  std::string pattern_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

struct Run {
  double seconds = 0;
  size_t bytes = 0;
  size_t extra_heap = 0;  // peak live heap above what was live before
};

Run measure(const std::function<size_t()>& fetch) {
  const size_t before = bench::heap::live_bytes();
  bench::heap::reset_peak();
  const auto start = Clock::now();
  Run run;
  run.bytes = fetch();
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.extra_heap = bench::heap::peak_bytes() - before;
  return run;
}

size_t on_data(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

size_t on_data_discarded(char*, size_t size, size_t count, void* total) {
  *static_cast<size_t*>(total) += size * count;
  return size * count;
}

// The transfer alone: what the server and the connection cost without a body kept.
size_t curl_discard(const std::string& url) {
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(),
                                                                 curl_easy_cleanup);
  size_t total = 0;
  curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, on_data_discarded);
  curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &total);
  curl_easy_perform(easy.get());
  return total;
}

size_t curl_get(const std::string& url) {
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(),
                                                                 curl_easy_cleanup);
  std::string body;
  curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, on_data);
  curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);
  curl_easy_perform(easy.get());
  return body.size();
}

size_t routine_get(const std::string& url) {
  return web::网页_访问(url.c_str()).size();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The rounds of one side, and whether every round got the whole reply.
struct Rounds {
  std::vector<double> seconds;
  std::vector<double> extra_heap;  // each round's peak extra live heap, bytes
  bool complete = true;

  void add(const Run& run, size_t expected_bytes) {
    seconds.push_back(run.seconds);
    extra_heap.push_back(static_cast<double>(run.extra_heap));
    complete &= run.bytes == expected_bytes;
  }
  double median_seconds() const { return median(seconds); }
  double worst_heap() const { return *std::max_element(extra_heap.begin(), extra_heap.end()); }
};

double kib(size_t bytes) {
  return static_cast<double>(bytes) / 1024;
}

bool report(const char* what, double ratio, bool within, const char* target) {
  std::printf("%-44s %8.3f   target %s  %s\n", what, ratio, target, within ? "met" : "MISSED");
  return within;
}

}  // namespace

int main() {
  bench::host_program(LYB_PROGRAM_DIR);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const LoopbackServer server;
  const std::string big = server.url("/big");
  const std::string small = server.url("/small");

  // The first call loads the Windows stand-ins and what they use; that is
  // not the cost of a reply.
  const size_t small_bytes = routine_get(small);
  curl_get(small);
  const Run transfer = measure([&] { return curl_discard(big); });
  std::printf("64 MiB transfer alone, body discarded: %.3f s +%.0f KiB heap\n", transfer.seconds,
              kib(transfer.extra_heap));
  Rounds ours_big;
  Rounds curl_big;
  for (int round = 0; round < kBigRounds; ++round) {
    const Run ours = measure([&] { return routine_get(big); });
    const Run curl = measure([&] { return curl_get(big); });
    std::printf("64 MiB round %d: routine %.3f s +%.0f KiB heap, libcurl %.3f s +%.0f KiB heap\n",
                round + 1, ours.seconds, kib(ours.extra_heap), curl.seconds, kib(curl.extra_heap));
    ours_big.add(ours, kBigBody);
    curl_big.add(curl, kBigBody);
  }
  const auto many = [&](size_t (*get)(const std::string&)) {
    return measure([&] {
      size_t total = 0;
      for (int i = 0; i < kSmallRequests; ++i) {
        total += get(small);
      }
      return total;
    });
  };
  Rounds ours_small;
  Rounds curl_small;
  const size_t small_total = kSmallRequests * small_bytes;
  for (int round = 0; round < kSmallRounds; ++round) {
    ours_small.add(many(routine_get), small_total);
    curl_small.add(many(curl_get), small_total);
  }
  curl_global_cleanup();

  const double mib = static_cast<double>(kBigBody) / (1 << 20);
  std::printf("64 MiB reply, medians: routine %.1f MiB/s, libcurl %.1f MiB/s\n",
              mib / ours_big.median_seconds(), mib / curl_big.median_seconds());
  std::printf("%d small GETs, medians: routine %.3f s, libcurl %.3f s\n", kSmallRequests,
              ours_small.median_seconds(), curl_small.median_seconds());

  const double throughput = curl_big.median_seconds() / ours_big.median_seconds();
  const double small_time = ours_small.median_seconds() / curl_small.median_seconds();
  const double worst_memory = ours_big.worst_heap() / kBigBody;
  bool ok = ours_big.complete && curl_big.complete && ours_small.complete && curl_small.complete;
  if (!ok) {
    std::printf("the replies were incomplete\n");
  }
  ok &= report("throughput, routine / libcurl", throughput, throughput >= kMinThroughputRatio,
               ">= 1.0");
  ok &= report("small GETs time, routine / libcurl", small_time, small_time <= kMaxSmallTimeRatio,
               "<= 1.3");
  std::printf("%-44s %8.3f   (median of %d rounds)\n", "peak extra heap / body size, routine",
              median(ours_big.extra_heap) / kBigBody, kBigRounds);
  ok &= report("peak extra heap / body size, worst round", worst_memory,
               worst_memory <= kMaxExtraMemoryRatio, "<= 1.1");
  std::printf("%-44s %8.3f   (for comparison)\n", "peak extra heap / body size, libcurl",
              curl_big.worst_heap() / kBigBody);
  return ok ? 0 : 1;
}
