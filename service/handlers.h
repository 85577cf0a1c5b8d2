// The request handlers, one file per part of the service. They share the
// stores through a ServiceContext and answer through reply_pages.
#pragma once

#include <cstdint>
#include <optional>

#include "service/event_log.h"
#include "service/fault_plan.h"
#include "service/form_fields.h"
#include "service/member_store.h"
#include "service/request_shapes.h"
#include "service/service_clock.h"
#include "service/service_options.h"
#include "service/session_store.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace service {

struct ServiceContext {
  MemberStore& members;
  SessionStore& sessions;
  ServiceClock& clock;
  EventLog& log;
  LoginReply login_reply;
  std::optional<std::int64_t> cookie_max_age;
  FaultSchedule& faults;
};

// True when the request's query and `body` are shaped as `shape`; otherwise
// answers 400 and logs the first difference.
bool check_shape(ServiceContext&, const httplib::Request&, const RequestShape&,
                 const FormFields& body, httplib::Response&);

// Actions posted to "/url.php", chosen by the body's "action" field.
using ActionHandler = void (*)(ServiceContext&, const httplib::Request&, const FormFields&,
                               httplib::Response&);
void handle_voice_code(ServiceContext&, const httplib::Request&, const FormFields&,
                       httplib::Response&);
void handle_registration(ServiceContext&, const httplib::Request&, const FormFields&,
                         httplib::Response&);
void handle_balance(ServiceContext&, const httplib::Request&, const FormFields&,
                    httplib::Response&);
void handle_free_call(ServiceContext&, const httplib::Request&, const FormFields&,
                      httplib::Response&);

// "/verifycode.php" and "/validate.php".
void handle_picture_code(ServiceContext&, const httplib::Request&, httplib::Response&);
void handle_login(ServiceContext&, const httplib::Request&, const FormFields&, httplib::Response&);

// "/p.php": the member page, or the weekly claim with "class=giving".
void handle_member_page(ServiceContext&, const httplib::Request&, httplib::Response&);

// "/ip.php".
void handle_ip_echo(const httplib::Request&, httplib::Response&);

// "/_standin/voice-code", "/_standin/picture-code" and "/_standin/fault",
// for this machine only.
void handle_voice_code_hook(ServiceContext&, const httplib::Request&, httplib::Response&);
void handle_picture_code_hook(ServiceContext&, const httplib::Request&, httplib::Response&);
// "?mode=MODE[&count=N][&time=MS]" sets the fault plan; "mode=none" ends it.
void handle_fault_hook(ServiceContext&, const httplib::Request&, httplib::Response&);

}  // namespace service
