#include <httplib.h>

#include <chrono>
#include <random>

#include "service/handlers.h"
#include "service/picture_code.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {
namespace {

// The session the request names, or a new one announced by a cookie.
std::string session_for(ServiceContext& ctx, const httplib::Request& req, httplib::Response& res) {
  std::string id = session_cookie(req);
  if (id.empty() || !ctx.sessions.touch(id)) {
    id = ctx.sessions.create();
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch());
    res.set_header("Set-Cookie", session_cookie_header(id, ctx.cookie_max_age, now.count()));
  }
  return id;
}

Reply accepted_login_page() {
  return html_page("登录成功",
                   "<p>登录成功，正在进入会员中心……</p>"
                   "<p><a href=\"/p.php\">进入会员中心</a></p>");
}

}  // namespace

void handle_picture_code(ServiceContext& ctx, const httplib::Request& req, httplib::Response& res) {
  thread_local std::mt19937 rng{std::random_device{}()};
  const std::string id = session_for(ctx, req, res);
  const auto code = ctx.sessions.new_picture_code(id);
  const std::string png = code ? draw_picture_code(*code, rng) : std::string();
  if (png.empty()) {
    send(res, refusal_page("验证码生成失败，请重试。", 500));
    return;
  }
  res.set_header("Cache-Control", "no-store");
  res.set_content(png, "image/png");
}

void handle_login(ServiceContext& ctx, const httplib::Request& req, const FormFields& body,
                  httplib::Response& res) {
  const std::string id = session_cookie(req);
  const std::string member = body.value("MemberCode");
  // Every picture code is used up by one attempt, right or wrong.
  if (id.empty() || !ctx.sessions.take_picture_code(id, body.value("ValidCode"))) {
    send(res, refusal_page("验证码错误，请重新输入。"));
    return;
  }
  if (!ctx.members.is_member(member) || body.value("MemberPassword") != member) {
    send(res, refusal_page("用户不存在或密码错误。"));
    return;
  }
  if (!ctx.sessions.log_in(id, member)) {
    send(res, refusal_page("登录已过期，请重新登录。"));
    return;
  }
  ctx.log.write("logged in " + member);
  if (ctx.login_reply == LoginReply::Redirect) {
    res.set_redirect("/p.php");
    return;
  }
  send(res, accepted_login_page());
}

}  // namespace service
