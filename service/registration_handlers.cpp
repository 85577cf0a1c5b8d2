#include <httplib.h>

#include "service/handlers.h"
#include "service/reply_pages.h"

namespace service {

void handle_voice_code(ServiceContext& ctx, const httplib::Request&, const FormFields& body,
                       httplib::Response& res) {
  const std::string mobile = body.value("MemberMobile");
  if (!is_phone_number(mobile)) {
    send(res, refusal_page("手机号码格式不正确。"));
    return;
  }
  const auto code = ctx.members.open_voice_code(mobile, ctx.clock.now());
  if (!code) {
    send(res, refusal_page("系统繁忙，请稍后再试。", 503));
    return;
  }
  ctx.log.write("calling " + mobile + ": voice code " + *code);
  send(res, html_page("语音验证码", "<p>语音验证码已发出，请留意来电。</p>"));
}

void handle_registration(ServiceContext& ctx, const httplib::Request&, const FormFields& body,
                         httplib::Response& res) {
  const std::string mobile = body.value("MemberMobile");
  if (!is_phone_number(mobile)) {
    send(res, refusal_page("手机号码格式不正确。"));
    return;
  }
  switch (ctx.members.register_member(mobile, body.value("VerifyCode"), ctx.clock.now())) {
    case RegisterResult::Registered:
      ctx.log.write("registered " + mobile);
      send(res, plain_text("6"));
      return;
    case RegisterResult::WrongCode:
      send(res, refusal_page("语音验证码错误或已过期。"));
      return;
    case RegisterResult::NotSaved:
      send(res, refusal_page("系统繁忙，请稍后再试。", 503));
      return;
  }
}

}  // namespace service
