// Logging in with the mobile number and a picture code.
#pragma once

namespace client {

// Downloads a new picture code and shows it in 图片框1.
void FetchPictureCode();

// Sends the login form; true when the service accepted it (its reply names
// the member page), and 标签1 then says so.
bool SendLogin();

}  // namespace client
