#include <httplib.h>

#include "service/handlers.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {

// The program judges this reply by its length alone: 101 to 159 bytes is a
// placed call, so every refusal here is a longer page.
void handle_free_call(ServiceContext& ctx, const httplib::Request& req, const FormFields& body,
                      httplib::Response& res) {
  const std::string id = session_cookie(req);
  const auto login = id.empty() ? std::nullopt : ctx.sessions.login(id);
  if (!login) {
    send(res, refusal_page("没有登陆，请先登录再拨打。"));
    return;
  }
  const std::string tel = body.value("tel");
  if (!is_phone_number(tel)) {
    send(res, refusal_page("被叫号码格式不正确，请检查后重拨。"));
    return;
  }
  switch (ctx.members.charge_call(login->member)) {
    case CallResult::Placed:
      ctx.log.write("calling " + login->member + ", then " + tel);
      send(res, call_placed_page());
      return;
    case CallResult::NoMinutes:
      send(res, refusal_page("免费通话时间已用完，请每周领取后再拨打。"));
      return;
    case CallResult::NoMember:
      send(res, refusal_page("用户不存在。"));
      return;
    case CallResult::NotSaved:
      send(res, refusal_page("系统繁忙，请稍后再试。", 503));
      return;
  }
}

void handle_ip_echo(const httplib::Request& req, httplib::Response& res) {
  send(res, html_page("IP", "<h2>" + escape_html(caller_address(req)) + "</h2>"));
}

}  // namespace service
