#include "ui/GameText.h"

#include <QList>

namespace torvale::ui {
namespace {

constexpr char kUnencodable = '\x7F';

}  // namespace

QString FromGameText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList FromGameTexts(std::span<const std::string_view> texts) {
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string_view text : texts) entries << FromGameText(text);
  return entries;
}

std::string ToGameText(const QString& text) {
  std::string result;
  for (const char32_t character : text.toUcs4()) {
    result += character < 0x80 ? static_cast<char>(character) : kUnencodable;
  }
  return result;
}

}  // namespace torvale::ui
