#include "ui/GameText.h"

#include <QList>

namespace torvale::ui {
namespace {

constexpr char kUnencodable = '\x7F';

}  // namespace

QString FromGameText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToGameText(const QString& text) {
  std::string result;
  for (const char32_t character : text.toUcs4()) {
    result += character < 0x80 ? static_cast<char>(character) : kUnencodable;
  }
  return result;
}

}  // namespace torvale::ui
