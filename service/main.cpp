#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

#include "service/service_options.h"
#include "service/standin_service.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const service::OptionsParse parsed = service::parse_options(args);
  if (!parsed.ok()) {
    std::cerr << "lanyinbao-service: " << parsed.error << "\n"
              << "Try 'lanyinbao-service --help'.\n";
    return 2;
  }
  if (parsed.help) {
    std::cout << service::usage_text();
    return 0;
  }

  // The server's threads inherit this mask, so only the wait below sees the signals.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  service::StandinService service(parsed.options);
  const int port = service.start();
  if (port < 0) {
    std::cerr << "lanyinbao-service: " << service.error() << "\n";
    return 1;
  }
  std::printf("lanyinbao-service: serving http://%s:%d/\n", parsed.options.bind.c_str(), port);
  std::fflush(stdout);

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  service.stop();
  return 0;
}
