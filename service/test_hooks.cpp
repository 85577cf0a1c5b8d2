#include <httplib.h>

#include <charconv>

#include "service/handlers.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {
namespace {

bool refuse_remote(const httplib::Request& req, httplib::Response& res) {
  if (is_loopback(caller_address(req))) {
    return false;
  }
  send(res, refusal_page("仅限本机访问。", 403));
  return true;
}

void answer_code(const std::optional<std::string>& code, httplib::Response& res) {
  if (code) {
    res.set_content(*code, "text/plain");
  } else {
    send(res, refusal_page("没有待用的验证码。", 404));
  }
}

}  // namespace

void handle_voice_code_hook(ServiceContext& ctx, const httplib::Request& req,
                            httplib::Response& res) {
  if (refuse_remote(req, res)) {
    return;
  }
  const FormParse query = query_fields(req);
  const std::string mobile = query.fields.value("mobile");
  answer_code(query.ok() && is_phone_number(mobile)
                  ? ctx.members.voice_code(mobile, ctx.clock.now())
                  : std::nullopt,
              res);
}

void handle_picture_code_hook(ServiceContext& ctx, const httplib::Request& req,
                              httplib::Response& res) {
  if (refuse_remote(req, res)) {
    return;
  }
  const std::string id = session_cookie(req);
  answer_code(id.empty() ? std::nullopt : ctx.sessions.picture_code(id), res);
}

void handle_fault_hook(ServiceContext& ctx, const httplib::Request& req, httplib::Response& res) {
  if (refuse_remote(req, res)) {
    return;
  }
  const FormParse query = query_fields(req);
  const std::string count = query.fields.value("count");
  const std::string time = query.fields.value("time");
  const auto plan = parse_fault(query.fields.value("mode") + (count.empty() ? "" : ":" + count));
  int ms = 0;
  const bool time_ok =
      time.empty() || (std::from_chars(time.data(), time.data() + time.size(), ms).ptr ==
                           time.data() + time.size() &&
                       ms > 0);
  if (!query.ok() || !plan || !time_ok) {
    send(res,
         refusal_page("故障设置有误：mode=" + fault_mode_list() + "|none, count=N, time=MS", 400));
    return;
  }
  FaultPlan set = *plan;
  set.time = std::chrono::milliseconds(ms);
  ctx.faults.set(set);
  ctx.log.write("fault " + std::string(fault_mode_name(set.mode)) +
                (set.count ? " for " + std::to_string(*set.count) + " replies" : ""));
  res.set_content("fault: " + std::string(fault_mode_name(set.mode)) + "\n", "text/plain");
}

}  // namespace service
