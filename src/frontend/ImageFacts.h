#pragma once

#include <QString>
#include <cstdint>
#include <span>

#include "patch/ChangeSet.h"

namespace torvale::frontend {

// What identifies a game image (without copier header) where patches are shared.
struct ImageHashes {
  std::uint64_t size = 0;
  std::uint32_t crc32 = 0;
  QString md5;  // lowercase hexadecimal, as the sites print them
  QString sha1;
  QString sha256;
};

ImageHashes HashesOf(std::span<const std::uint8_t> image);
// The size, CRC32 and SHA-1 that a change set records of its clean image.
CleanImageFacts CleanFactsOf(std::span<const std::uint8_t> image);
// The same of an image whose hashes are known already.
CleanImageFacts CleanFactsOf(const ImageHashes& hashes);

// The block that patch sites ask for: the clean and the patched image's
// size, CRC32, MD5, SHA-1 and SHA-256.
QString ReleaseBlock(const ImageHashes& clean, const ImageHashes& patched);

}  // namespace torvale::frontend
