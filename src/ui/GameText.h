#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace torvale::ui {

// Decoded game text is plain ASCII.
QString FromGameText(std::string_view text);
// One char per character typed. A character outside ASCII becomes one that
// the character table cannot encode, so its byte in the file stays as it was.
std::string ToGameText(const QString& text);

}  // namespace torvale::ui
