#include "frontend/RomImageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "patch/PatchError.h"
#include "rom/RomIdentity.h"
#include "rom/RomImage.h"

namespace torvale::frontend {
namespace {

constexpr std::size_t kHeaderedRemainder = 0x200;  // a copier header ends a 1 KiB block
constexpr std::size_t kBlock = 0x400;

[[noreturn]] void Refuse(const QString& path, const QString& why) {
  throw PatchError(
      QStringLiteral("\"%1\" %2.").arg(QDir::toNativeSeparators(path), why).toStdString());
}

}  // namespace

RomImageFile ReadRomImageFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) Refuse(path, QStringLiteral("does not exist"));
  if (!info.isFile()) Refuse(path, QStringLiteral("is not a regular file"));
  const auto size = static_cast<std::uint64_t>(info.size());
  if (size > kLargestRomSize) {
    Refuse(path, QStringLiteral("holds %1 bytes, more than any cartridge image").arg(size));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Refuse(path, QStringLiteral("could not be read (%1)").arg(file.errorString()));
  }
  RomImageFile rom{path, std::vector<std::uint8_t>(size), 0};
  if (file.read(reinterpret_cast<char*>(rom.bytes.data()), static_cast<qint64>(size)) !=
          static_cast<qint64>(size) ||
      !file.atEnd()) {
    Refuse(path, QStringLiteral("could not be read whole"));
  }
  if (size % kBlock == kHeaderedRemainder) rom.header = kCopierHeaderSize;
  if (rom.Image().size() + kCopierHeaderSize < kMinimumRomSize) {
    Refuse(
        path,
        QStringLiteral("holds %1 bytes, too few for a Final Fantasy II (US) ROM image").arg(size));
  }
  if (ReleaseOf(rom.Image()) == Release::kOtherGame) {
    Refuse(path, QStringLiteral("is another game's ROM"));
  }
  return rom;
}

}  // namespace torvale::frontend
