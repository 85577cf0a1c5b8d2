#include <httplib.h>

#include "service/handlers.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {
namespace {

std::optional<Login> login_of(ServiceContext& ctx, const httplib::Request& req) {
  const std::string id = session_cookie(req);
  return id.empty() ? std::nullopt : ctx.sessions.login(id);
}

Reply member_page(ServiceContext& ctx, const Login& login) {
  const auto member = ctx.members.member(login.member);
  const std::int64_t minutes = member ? member->minutes : 0;
  // The claim link carries the session's token; the program cuts it out
  // between "giving&hash=" and the "'," that closes the script argument.
  std::string body = "<h3>会员中心</h3><p>用户号码：" + escape_html(login.member) +
                     "</p><p>免费通话时间还剩：" + std::to_string(minutes) +
                     " 分钟</p><p><a href=\"javascript:void(0)\" "
                     "onclick=\"claim('p.php?class=giving&hash=" +
                     login.claim_token + "','每周领取')\">每周免费领取15分钟</a></p>";
  return html_page("会员中心", body);
}

Reply claim(ServiceContext& ctx, const Login& login, const std::string& token) {
  if (token != login.claim_token) {
    return refusal_page("领取链接无效，请从会员中心重新领取。");
  }
  switch (ctx.members.claim_weekly(login.member, week_number(ctx.clock.now()))) {
    case ClaimResult::Added:
      ctx.log.write("claimed 15 minutes for " + login.member);
      return html_page("领取成功", "<p>领取成功，感谢您的支持！本周的15分钟已加入您的账户。</p>");
    case ClaimResult::AlreadyClaimed:
      return html_page("领取失败", "<p>您本周已经领过了，请下周再来。</p>");
    case ClaimResult::NoMember:
      return refusal_page("用户不存在。");
    case ClaimResult::NotSaved:
      break;
  }
  return refusal_page("系统繁忙，请稍后再试。", 503);
}

}  // namespace

void handle_member_page(ServiceContext& ctx, const httplib::Request& req, httplib::Response& res) {
  const FormParse query = query_fields(req);
  if (!query.ok()) {
    send(res, refusal_page("请求格式有误：" + query.error, 400));
    return;
  }
  const bool claiming = query.fields.size() > 0;
  if (!check_shape(ctx, req, claiming ? kClaimShape : kPlainGetShape, {}, res)) {
    return;
  }
  const auto login = login_of(ctx, req);
  if (!login) {
    send(res, refusal_page("您还没有登录，请先登录。"));
    return;
  }
  send(res, claiming ? claim(ctx, *login, query.fields.value("hash")) : member_page(ctx, *login));
}

void handle_balance(ServiceContext& ctx, const httplib::Request& req, const FormFields&,
                    httplib::Response& res) {
  const auto login = login_of(ctx, req);
  const auto member = login ? ctx.members.member(login->member) : std::nullopt;
  if (!member) {
    send(res, refusal_page("没有登陆或登录已过期。"));
    return;
  }
  send(res, plain_text(std::to_string(member->minutes)));
}

}  // namespace service
