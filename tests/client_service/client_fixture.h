// The program's real window offscreen, its handlers bound through the form,
// the facade on the runtime's real services and the declared functions in
// the build's stand-in DLLs; requests to the build-time service address reach
// a loopback server of the test. Message boxes are answered as they open and
// their texts kept.
#pragma once

#include <QString>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "image/routine_list.h"
#include "service/standin_service.h"
#include "tests/web/web_fixture.h"

class QWidget;

namespace client_test {

class ClientFixture : public web_test::WebFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sends the program's requests for 127.0.0.1:8600 to this loopback port.
  void route_service_to(int port);
  // Starts the in-process stand-in service on a free loopback port, quiet on
  // the terminal and logging to `log_file`, and routes the program's requests
  // to it. Returns the port, or 0 (after a test failure) when it did not start.
  int start_standin(std::unique_ptr<service::StandinService>& standin,
                    service::ServiceOptions options, const std::filesystem::path& log_file);

  QWidget* widget(const char* utf8_name) const;
  // An edit box's content or a label's caption, as UTF-8.
  std::string text_of(const char* utf8_name) const;
  void type_into(const char* utf8_name, const char* utf8_text);
  // Gives an edit box the focus as a click would; its got-focus handler runs.
  void focus(const char* utf8_name);
  void click(const char* utf8_name);
  void choose_menu_item(const char* utf8_caption);
  bool enabled(const char* utf8_name) const;
  // The picture property of 图片框1, as the program would read it.
  std::string picture_bytes() const;

  // The texts of the message boxes shown so far, in UTF-8.
  std::vector<std::string> messages;
  // The request bodies the program sent (HttpSendRequestA), in order.
  std::vector<std::string> sent_bodies() const;
  // The session cookie the program holds, as "name=value".
  std::string session_cookie() const;

 private:
  void answer_message_boxes();

  std::unique_ptr<web_test::ConnectTo> connect_to_;
  QTimer box_answerer_;
};

}  // namespace client_test
