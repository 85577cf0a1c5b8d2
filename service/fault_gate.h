// The service's front door. It accepts every connection on the service's
// port, reads the request head and either relays the exchange to the HTTP
// server behind it (on a loopback port of its own) or spoils the reply as the
// fault schedule says. Faults that break HTTP itself (a reset, a hang,
// garbage, a reply dripped byte by byte) need the socket, which the HTTP
// library keeps to itself; so all of them are made here, in one place.
#pragma once

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "service/fault_plan.h"
#include "service/socket_io.h"

namespace service {

class FaultGate {
 public:
  FaultGate(FaultSchedule& schedule, int upstream_port);
  ~FaultGate();
  FaultGate(const FaultGate&) = delete;
  FaultGate& operator=(const FaultGate&) = delete;

  // Listens and accepts on a thread of its own; the port, or -1 with `error`.
  int start(const std::string& address, int port, std::string& error);
  // Ends every connection's waits and joins their threads.
  void stop();

 private:
  struct Worker {
    std::thread thread;
    std::atomic<bool> done{false};
  };

  void accept_loop();
  void reap_finished();

  FaultSchedule& schedule_;
  int upstream_port_;
  Socket listener_;
  StopFlag stopping_{false};
  std::thread acceptor_;
  std::mutex workers_mutex_;
  std::list<std::unique_ptr<Worker>> workers_;
};

// Serves one accepted connection to its end.
void serve_connection(Socket client, FaultSchedule& schedule, int upstream_port,
                      const StopFlag& stop);

}  // namespace service
