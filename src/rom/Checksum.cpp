#include "rom/Checksum.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <vector>

namespace torvale {
namespace {

constexpr std::size_t kCheckWordsLength = 4;
// A consistent pair of words adds up to 0xFFFF, so its four bytes always add
// up to 0xFF + 0xFF, whatever the checksum is.
constexpr std::uint64_t kConsistentPairSum = 0x1FE;
// The image is read this much at a time, never whole.
constexpr std::uint64_t kBlockSize = 0x10000;

std::uint16_t WordAt(std::span<const std::uint8_t> image, std::size_t offset) {
  return static_cast<std::uint16_t>(image[offset] | (image[offset + 1] << 8));
}

std::uint64_t SumOf(std::span<const std::uint8_t> bytes) {
  return std::accumulate(bytes.begin(), bytes.end(), std::uint64_t{0});
}

}  // namespace

// The checksum is the sum of every byte of the game image, modulo 0x10000,
// taken as if the check words held a consistent pair (the usual way of
// computing it afresh: the words set to complement 0xFFFF, checksum 0x0000,
// i.e. bytes FF FF 00 00). So the stored words never change the result, a
// damaged pair gives the same figure as a sound one, and once a consistent
// pair is stored the plain sum of the image as it stands equals the checksum.
ChecksumStatus ReadChecksumStatus(const RomFile& rom) {
  const std::uint64_t imageSize =
      rom.Size() < kCopierHeaderSize ? 0 : rom.Size() - kCopierHeaderSize;
  if (!std::has_single_bit(imageSize) || imageSize < kComplementImageOffset + kCheckWordsLength) {
    return {};
  }
  std::vector<std::uint8_t> block(std::min<std::uint64_t>(imageSize, kBlockSize));
  std::uint64_t sum = 0;
  for (std::uint64_t at = 0; at < imageSize; at += block.size()) {
    rom.Read(static_cast<FileOffset>(kCopierHeaderSize + at), block);
    sum += SumOf(block);
  }
  std::uint8_t words[kCheckWordsLength];
  rom.Read(kCheckWordsOffset, words);
  const auto computed = static_cast<std::uint16_t>(sum - SumOf(words) + kConsistentPairSum);
  ChecksumStatus status{ChecksumState::kWrong, WordAt(words, 2), WordAt(words, 0), computed};
  if (status.storedChecksum == computed &&
      status.storedComplement == static_cast<std::uint16_t>(~computed)) {
    status.state = ChecksumState::kCorrect;
  }
  return status;
}

void WriteChecksum(RomFile& rom, std::uint16_t checksum) {
  const auto complement = static_cast<std::uint16_t>(~checksum);
  const std::uint8_t words[kCheckWordsLength] = {
      static_cast<std::uint8_t>(complement), static_cast<std::uint8_t>(complement >> 8),
      static_cast<std::uint8_t>(checksum), static_cast<std::uint8_t>(checksum >> 8)};
  rom.WriteBytes(kCheckWordsOffset, words);
}

}  // namespace torvale
