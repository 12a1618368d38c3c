#include "ui/DumpDescription.h"

#include "patch/ImageIdentity.h"
#include "ui/HexText.h"

namespace torvale::ui {

QString DumpDescription(std::uint32_t imageCrc32) {
  const QString crc = HexNumber(imageCrc32, 8);
  if (const auto name = KnownDumpName(imageCrc32)) {
    return crc + QStringLiteral(", an unedited dump of ") +
           QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()));
  }
  return crc + QStringLiteral(", not a known unedited dump of this game");
}

}  // namespace torvale::ui
