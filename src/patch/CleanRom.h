#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace torvale {

// Reads the clean ROM that a patch is made against, read-only and without a
// lock (it may be the very file the editor holds open), and returns its game
// image: the file whole when it has no copier header, else the file behind
// it. Refused (PatchError, naming the reason) when it cannot be read, is not a
// regular file, or is not the same game and size as `openImage`, the open
// ROM's game image.
std::vector<std::uint8_t> ReadCleanImage(const std::filesystem::path& cleanRom,
                                         std::span<const std::uint8_t> openImage);

}  // namespace torvale
