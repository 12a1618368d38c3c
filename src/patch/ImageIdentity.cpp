#include "patch/ImageIdentity.h"

#include <zlib.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "rom/RomFile.h"
#include "rom/RomImage.h"

namespace torvale {
namespace {

constexpr std::uint64_t kBlockSize = 0x10000;

constexpr std::pair<std::uint32_t, std::string_view> kKnownDumps[] = {
    {0x65D0A825, "Final Fantasy II (US) 1.0"},
    {0x23084FCD, "Final Fantasy II (US) 1.1"},
};

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

std::uint32_t ReadImageCrc32(const RomFile& rom) {
  const std::uint64_t end = rom.Size();
  std::vector<std::uint8_t> block(std::min<std::uint64_t>(kBlockSize, end));
  uLong crc = crc32_z(0, nullptr, 0);
  for (std::uint64_t at = kCopierHeaderSize; at < end; at += block.size()) {
    const std::span<std::uint8_t> part = std::span(block).first(std::min(block.size(), end - at));
    rom.Read(static_cast<FileOffset>(at), part);
    crc = crc32_z(crc, part.data(), part.size());
  }
  return static_cast<std::uint32_t>(crc);
}

std::optional<std::string_view> KnownDumpName(std::uint32_t imageCrc32) {
  for (const auto& [crc, name] : kKnownDumps) {
    if (crc == imageCrc32) return name;
  }
  return std::nullopt;
}

}  // namespace torvale
