#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace torvale {

class RomFile;

// The CRC32 that patches and lists of dumps give a game image (or any bytes).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
// The CRC32 of the open file's game image, without its copier header, read in
// blocks. Throws RomError.
std::uint32_t ReadImageCrc32(const RomFile& rom);

// The unedited dump of Final Fantasy II (US) whose image has this CRC32:
// "Final Fantasy II (US) 1.0", or nothing for an image no dump list knows.
std::optional<std::string_view> KnownDumpName(std::uint32_t imageCrc32);

}  // namespace torvale
