#include "service/standin_service.h"

#include <httplib.h>

#include <array>
#include <chrono>
#include <utility>

#include "service/handlers.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {
namespace {

// The HTTP server listens here; only the gate connects to it.
constexpr char kInnerAddress[] = "127.0.0.1";

struct Action {
  std::string_view name;
  const RequestShape& shape;
  ActionHandler handler;
};

const std::array<Action, 4> kActions = {{
    {"taste", kVoiceCodeShape, handle_voice_code},
    {"one", kRegistrationShape, handle_registration},
    {"balance", kBalanceShape, handle_balance},
    {"sendfreecall", kFreeCallShape, handle_free_call},
}};

// Posts are read through a content reader: it holds them to the service's own
// size limit (the library's plain handlers cap form bodies at 8 KiB), answers
// a longer body with 413, and hands `handler` the fields of the body, unless
// the body or the query is malformed.
void add_form_post(httplib::Server& server, const std::string& path, ServiceContext& ctx,
                   ActionHandler handler) {
  server.Post(path, [&ctx, handler](const httplib::Request& req, httplib::Response& res,
                                    const httplib::ContentReader& reader) {
    if (req.is_multipart_form_data()) {
      send(res, refusal_page("不支持的请求格式。", 415));
      return;
    }
    std::string text;
    const bool complete = reader([&text](const char* data, size_t length) {
      text.append(data, length);
      return true;
    });
    if (!complete) {
      return;  // the status (413, 400) is already set; fill_error writes the page
    }
    const FormParse query = query_fields(req);
    const FormParse body = parse_form(text);
    const std::string& problem = query.ok() ? body.error : query.error;
    if (!problem.empty()) {
      send(res, refusal_page("请求格式有误：" + problem, 400));
      return;
    }
    handler(ctx, req, body.fields, res);
  });
}

void dispatch_action(ServiceContext& ctx, const httplib::Request& req, const FormFields& body,
                     httplib::Response& res) {
  const std::string action = body.value("action");
  for (const Action& a : kActions) {
    if (a.name == action) {
      if (check_shape(ctx, req, a.shape, body, res)) {
        a.handler(ctx, req, body, res);
      }
      return;
    }
  }
  send(res, refusal_page("不支持的操作。", 400));
}

// Gives bodiless error replies (unknown path, body too large) a page of their own.
httplib::Server::HandlerResponse fill_error(const httplib::Request&, httplib::Response& res) {
  if (!res.body.empty()) {
    return httplib::Server::HandlerResponse::Unhandled;
  }
  const char* message = res.status == 413   ? "请求内容过长。"
                        : res.status == 404 ? "页面不存在。"
                                            : "请求无法处理。";
  send(res, refusal_page(message, res.status));
  return httplib::Server::HandlerResponse::Handled;
}

}  // namespace

StandinService::StandinService(ServiceOptions options)
    : options_(std::move(options)),
      clock_(options_.clock_offset),
      log_(options_.log_file, options_.echo_events),
      faults_(options_.fault),
      server_(std::make_unique<httplib::Server>()) {
  MemberMap loaded;
  if (options_.state_file) {
    StateLoad state = load_state(*options_.state_file);
    error_ = state.error;
    loaded = std::move(state.members);
  }
  if (error_.empty() && !log_.ok()) {
    error_ = "cannot open the log file " + options_.log_file->string();
  }
  members_ = std::make_unique<MemberStore>(options_.state_file, std::move(loaded));
  context_ = std::make_unique<ServiceContext>(ServiceContext{
      *members_, sessions_, clock_, log_, options_.login_reply, options_.cookie_max_age, faults_});
  add_routes();
}

StandinService::~StandinService() {
  stop();
}

int StandinService::start() {
  if (!error_.empty()) {
    return -1;
  }
  const int inner_port = server_->bind_to_any_port(kInnerAddress);
  if (inner_port <= 0) {
    error_ = std::string("cannot listen on ") + kInnerAddress;
    return -1;
  }
  thread_ = std::thread([this] {
    server_->listen_after_bind();
    listen_ended_ = true;
  });
  // stop() only reaches a server that has begun to listen.
  while (!server_->is_running() && !listen_ended_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  gate_ = std::make_unique<FaultGate>(faults_, inner_port);
  std::string why;
  const int port = gate_->start(options_.bind, options_.port, why);
  if (port < 0) {
    error_ = why;
    stop();
  }
  return port;
}

void StandinService::stop() {
  if (gate_) {
    gate_->stop();
  }
  server_->stop();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void StandinService::add_routes() {
  ServiceContext& ctx = *context_;
  server_->set_payload_max_length(kMaxBody);
  // One request per connection: the gate relays each connection as one exchange.
  server_->set_keep_alive_max_count(1);
  server_->set_socket_options([](int sock) {
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server_->set_error_handler(httplib::Server::HandlerWithResponse(fill_error));
  server_->set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        send(res, refusal_page("服务器内部错误。", 500));
      });
  add_form_post(*server_, "/url.php", ctx, dispatch_action);
  add_form_post(*server_, "/validate.php", ctx,
                [](ServiceContext& c, const httplib::Request& req, const FormFields& body,
                   httplib::Response& res) {
                  if (check_shape(c, req, kLoginShape, body, res)) {
                    handle_login(c, req, body, res);
                  }
                });
  server_->Get("/verifycode.php", [&ctx](const httplib::Request& req, httplib::Response& res) {
    if (check_shape(ctx, req, kPlainGetShape, {}, res)) {
      handle_picture_code(ctx, req, res);
    }
  });
  server_->Get("/p.php", [&ctx](const httplib::Request& req, httplib::Response& res) {
    handle_member_page(ctx, req, res);
  });
  server_->Get("/ip.php", [&ctx](const httplib::Request& req, httplib::Response& res) {
    if (check_shape(ctx, req, kPlainGetShape, {}, res)) {
      handle_ip_echo(req, res);
    }
  });
  server_->Get("/_standin/voice-code", [&ctx](const httplib::Request& req, httplib::Response& res) {
    handle_voice_code_hook(ctx, req, res);
  });
  server_->Get("/_standin/fault", [&ctx](const httplib::Request& req, httplib::Response& res) {
    handle_fault_hook(ctx, req, res);
  });
  server_->Get("/_standin/picture-code",
               [&ctx](const httplib::Request& req, httplib::Response& res) {
                 handle_picture_code_hook(ctx, req, res);
               });
}

}  // namespace service
