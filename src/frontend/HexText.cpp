#include "frontend/HexText.h"

#include <QStringList>
#include <algorithm>

namespace torvale::frontend {

QString HexNumber(std::uint64_t value, int digits) {
  return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

QString HexBytes(std::span<const std::uint8_t> bytes, std::size_t shown) {
  QStringList texts;
  for (const std::uint8_t byte : bytes.first(std::min(bytes.size(), shown))) {
    texts << QString::number(byte, 16).toUpper().rightJustified(2, u'0');
  }
  if (bytes.size() > shown) texts << QStringLiteral("…");
  return texts.join(u' ');
}

}  // namespace torvale::frontend
