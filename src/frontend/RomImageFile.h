#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace torvale::frontend {

// A ROM file read whole and read-only, with a copier header or without one.
struct RomImageFile {
  QString path;
  std::vector<std::uint8_t> bytes;  // the whole file
  std::size_t header = 0;           // the copier header's length: 512, or 0

  std::span<const std::uint8_t> Image() const { return std::span(bytes).subspan(header); }
};

// Refused (PatchError naming the file and why): a file that cannot be read or
// is not a regular file, one too short for the editors or larger than any
// cartridge image, another game's ROM.
RomImageFile ReadRomImageFile(const QString& path);

}  // namespace torvale::frontend
