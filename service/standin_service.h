// The stand-in calling service: its stores, its routes, the HTTP server that
// runs them on a thread pool behind a loopback port, and the fault gate that
// owns the service's port and relays to it. Tests run it in-process on port 0.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "service/event_log.h"
#include "service/fault_gate.h"
#include "service/fault_plan.h"
#include "service/member_store.h"
#include "service/service_clock.h"
#include "service/service_options.h"
#include "service/session_store.h"

namespace httplib {
class Server;
}

namespace service {

struct ServiceContext;

class StandinService {
 public:
  static constexpr size_t kMaxBody = 64 * 1024;

  // Loads the state file and opens the log; check error() before start().
  explicit StandinService(ServiceOptions options);
  ~StandinService();
  StandinService(const StandinService&) = delete;
  StandinService& operator=(const StandinService&) = delete;

  const std::string& error() const { return error_; }

  // Binds and serves on a thread of its own; returns the port, or -1 with
  // error() saying why.
  int start();
  void stop();

  ServiceClock& clock() { return clock_; }
  MemberStore& members() { return *members_; }
  FaultSchedule& faults() { return faults_; }

 private:
  void add_routes();

  ServiceOptions options_;
  std::string error_;
  ServiceClock clock_;
  std::unique_ptr<MemberStore> members_;
  SessionStore sessions_;
  EventLog log_;
  FaultSchedule faults_;
  std::unique_ptr<ServiceContext> context_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::atomic<bool> listen_ended_{false};
  std::unique_ptr<FaultGate> gate_;
};

}  // namespace service
