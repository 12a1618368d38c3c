#include "frontend/DumpDescription.h"

#include "frontend/HexText.h"
#include "patch/ImageIdentity.h"

namespace torvale::frontend {

QString DumpDescription(std::uint32_t imageCrc32) {
  const QString crc = HexNumber(imageCrc32, 8);
  if (const auto name = KnownDumpName(imageCrc32)) {
    return crc + QStringLiteral(", an unedited dump of ") +
           QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()));
  }
  return crc + QStringLiteral(", not a known unedited dump of this game");
}

QString ChecksumText(const ChecksumStatus& status) {
  const auto hex = [](std::uint16_t value) { return HexNumber(value, 4); };
  switch (status.state) {
    case ChecksumState::kCorrect:
      return QStringLiteral("Correct");
    case ChecksumState::kWrong:
      return status.storedChecksum != status.computed
                 ? QStringLiteral("Wrong (stored %1, computed %2)")
                       .arg(hex(status.storedChecksum), hex(status.computed))
                 : QStringLiteral("Wrong (complement stored %1, computed %2)")
                       .arg(hex(status.storedComplement),
                            hex(static_cast<std::uint16_t>(status.computed ^ 0xFFFF)));
    case ChecksumState::kUnknown:
      break;
  }
  return QStringLiteral("Unknown");
}

}  // namespace torvale::frontend
