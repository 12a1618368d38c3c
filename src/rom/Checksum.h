#pragma once

#include <cstddef>
#include <cstdint>

#include "rom/RomFile.h"
#include "rom/RomImage.h"

namespace torvale {

// The internal header's check words of this LoROM game, at this offset in the
// game image: the complement word, then the checksum word, both little-endian.
inline constexpr std::size_t kComplementImageOffset = 0x7FDC;
// The same four bytes as a file offset, behind the copier header.
inline constexpr FileOffset kCheckWordsOffset = kCopierHeaderSize + kComplementImageOffset;

enum class ChecksumState {
  kCorrect,  // the stored checksum is the computed one and the complement matches it
  kWrong,    // the stored checksum or its complement disagrees with the computed one
  kUnknown,  // the image's size is not a power of two, or it has no internal header
};

struct ChecksumStatus {
  ChecksumState state = ChecksumState::kUnknown;
  std::uint16_t storedChecksum = 0;
  std::uint16_t storedComplement = 0;
  std::uint16_t computed = 0;  // 0 when the state is kUnknown
};

// The stored check words of the open file's game image (behind its copier
// header), judged against the checksum computed over the image, which is read
// in blocks of a fixed size. Unknown for an image whose size is not a power
// of two, or too small to hold the internal header. Throws RomError.
ChecksumStatus ReadChecksumStatus(const RomFile& rom);
// Stores `checksum` and its complement in one write of the four bytes.
void WriteChecksum(RomFile& rom, std::uint16_t checksum);

}  // namespace torvale
