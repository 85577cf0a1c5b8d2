#include <httplib.h>

#include "service/handlers.h"
#include "service/reply_pages.h"
#include "service/request_fields.h"

namespace service {

bool check_shape(ServiceContext& ctx, const httplib::Request& req, const RequestShape& shape,
                 const FormFields& body, httplib::Response& res) {
  const FormParse query = query_fields(req);
  const std::string problem =
      query.ok() ? request_mismatch(shape, query.fields, body) : query.error;
  if (problem.empty()) {
    return true;
  }
  ctx.log.write("refused " + req.method + " " + req.path + " (" + std::string(shape.name) +
                "): " + problem);
  send(res, refusal_page("不支持的请求：" + problem, 400));
  return false;
}

}  // namespace service
