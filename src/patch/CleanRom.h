#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace torvale {

// The unedited ROM that changes are listed and patches made against.
struct CleanRom {
  std::vector<std::uint8_t> header;  // its copier header; empty when it has none
  std::vector<std::uint8_t> image;   // its game image
};

// Reads the clean ROM, read-only and without a lock (it may be the very file
// the editor holds open): its game image is the file whole when it has no
// copier header, else the file behind it. Refused (PatchError, naming the
// reason) when it cannot be read, is not a regular file, or is not the same
// game and size as `openImage`, the open ROM's game image.
CleanRom ReadCleanRom(const std::filesystem::path& cleanRom,
                      std::span<const std::uint8_t> openImage);

// The clean ROM laid out as the open file `openFile` is: a copier header,
// the clean one or, when it has none, the open file's own, then its image.
std::vector<std::uint8_t> LaidOutLike(const CleanRom& clean,
                                      std::span<const std::uint8_t> openFile);

}  // namespace torvale
