#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "rom/RomImage.h"

namespace torvale {

// The unedited ROM that changes are listed and patches made against, laid
// out as a headered file: a copier header, then the game image.
struct CleanRom {
  std::vector<std::uint8_t> file;
  bool hasHeader = false;  // whether the header is the clean ROM's own

  std::span<const std::uint8_t> Image() const { return std::span(file).subspan(kCopierHeaderSize); }
};

// Reads the clean ROM, read-only and without a lock (it may be the very file
// the editor holds open): its game image is the file whole when it has no
// copier header, else the file behind it. Refused (PatchError, naming the
// reason) when it cannot be read, is not a regular file, or is not the same
// game and size as `openImage`, the open ROM's game image.
CleanRom ReadCleanRom(const std::filesystem::path& cleanRom,
                      std::span<const std::uint8_t> openImage);

// Lays the clean ROM out as the open file `openFile` is: a clean ROM without
// a copier header takes the open file's, so that only the images differ.
void LayOutLike(CleanRom& clean, std::span<const std::uint8_t> openFile);

}  // namespace torvale
