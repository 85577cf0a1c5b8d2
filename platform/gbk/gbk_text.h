// The one crossing between the program's GBK texts and Qt's UTF-16 strings.
// Every widget caption, message box text and window title goes through here.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace gbk {

// Decodes GBK (Windows code page 936) bytes; bytes that are not GBK become U+FFFD.
QString to_qstring(std::string_view gbk_bytes);

// Encodes to GBK; characters GBK cannot hold become '?', as the ANSI code page does.
std::string from_qstring(const QString& text);

}  // namespace gbk
