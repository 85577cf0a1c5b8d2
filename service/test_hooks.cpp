#include <httplib.h>

#include "service/handlers.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {
namespace {

bool refuse_remote(const httplib::Request& req, httplib::Response& res) {
  if (is_loopback(req.remote_addr)) {
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

}  // namespace service
