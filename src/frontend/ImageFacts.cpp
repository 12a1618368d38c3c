#include "frontend/ImageFacts.h"

#include <QCryptographicHash>
#include <future>

#include "frontend/HexText.h"
#include "patch/ImageIdentity.h"

namespace torvale::frontend {
namespace {

QString Hash(std::span<const std::uint8_t> image, QCryptographicHash::Algorithm algorithm) {
  return QString::fromLatin1(
      QCryptographicHash::hash(QByteArrayView(image.data(), static_cast<qsizetype>(image.size())),
                               algorithm)
          .toHex());
}

QString Described(const QString& what, const ImageHashes& image) {
  return QStringLiteral(
             "%1 (without copier header): %2 bytes\n"
             "  CRC32:   %3\n  MD5:     %4\n  SHA-1:   %5\n  SHA-256: %6\n")
      .arg(what)
      .arg(image.size)
      .arg(HexNumber(image.crc32, 8), image.md5, image.sha1, image.sha256);
}

}  // namespace

// SHA-256 takes as long as the others together: it runs beside them.
ImageHashes HashesOf(std::span<const std::uint8_t> image) {
  std::future<QString> sha256 =
      std::async(std::launch::async, Hash, image, QCryptographicHash::Sha256);
  ImageHashes hashes{image.size(), Crc32(image), Hash(image, QCryptographicHash::Md5),
                     Hash(image, QCryptographicHash::Sha1), {}};
  hashes.sha256 = sha256.get();
  return hashes;
}

CleanImageFacts CleanFactsOf(std::span<const std::uint8_t> image) {
  return {image.size(), Crc32(image), Hash(image, QCryptographicHash::Sha1).toStdString()};
}

CleanImageFacts CleanFactsOf(const ImageHashes& hashes) {
  return {hashes.size, hashes.crc32, hashes.sha1.toStdString()};
}

QString ReleaseBlock(const ImageHashes& clean, const ImageHashes& patched) {
  return Described(QStringLiteral("Clean image"), clean) + u'\n' +
         Described(QStringLiteral("Patched image"), patched);
}

}  // namespace torvale::frontend
