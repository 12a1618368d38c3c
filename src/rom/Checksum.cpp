#include "rom/Checksum.h"

#include <bit>
#include <numeric>

namespace torvale {
namespace {

constexpr std::size_t kCheckWordsLength = 4;
// A consistent pair of words adds up to 0xFFFF, so its four bytes always add
// up to 0xFF + 0xFF, whatever the checksum is.
constexpr std::uint64_t kConsistentPairSum = 0x1FE;

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
std::optional<std::uint16_t> ComputeChecksum(std::span<const std::uint8_t> image) {
  if (!std::has_single_bit(image.size()) ||
      image.size() < kComplementImageOffset + kCheckWordsLength) {
    return std::nullopt;
  }
  const std::uint64_t sum = SumOf(image.first(kComplementImageOffset)) + kConsistentPairSum +
                            SumOf(image.subspan(kComplementImageOffset + kCheckWordsLength));
  return static_cast<std::uint16_t>(sum);
}

ChecksumStatus CheckChecksum(std::span<const std::uint8_t> image) {
  const std::optional<std::uint16_t> computed = ComputeChecksum(image);
  if (!computed) return {};
  ChecksumStatus status{ChecksumState::kWrong, WordAt(image, kChecksumImageOffset),
                        WordAt(image, kComplementImageOffset), *computed};
  if (status.storedChecksum == *computed &&
      status.storedComplement == static_cast<std::uint16_t>(~*computed)) {
    status.state = ChecksumState::kCorrect;
  }
  return status;
}

ChecksumStatus ReadChecksumStatus(const RomFile& rom) {
  return CheckChecksum(ReadRomImage(rom));
}

void WriteChecksum(RomFile& rom, std::uint16_t checksum) {
  const auto complement = static_cast<std::uint16_t>(~checksum);
  const std::uint8_t words[kCheckWordsLength] = {
      static_cast<std::uint8_t>(complement), static_cast<std::uint8_t>(complement >> 8),
      static_cast<std::uint8_t>(checksum), static_cast<std::uint8_t>(checksum >> 8)};
  rom.WriteBytes(kCheckWordsOffset, words);
}

}  // namespace torvale
