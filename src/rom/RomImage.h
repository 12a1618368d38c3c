#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rom/RomFile.h"

namespace torvale {

// The game image starts behind the copier header; checksums and patches are
// taken over the image alone, so that they hold whatever header a copier put.
inline constexpr FileOffset kCopierHeaderSize = 0x200;

// The open file's game image: every byte from kCopierHeaderSize to the end.
// A file too short to hold a copier header is refused (RomRangeError).
std::vector<std::uint8_t> ReadRomImage(const RomFile& rom);
// Every byte of the open file, its copier header included.
std::vector<std::uint8_t> ReadRomFile(const RomFile& rom);

}  // namespace torvale
