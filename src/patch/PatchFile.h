#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace torvale {

// Writes a patch file so that its name never holds a partial patch: the bytes
// go to a new temporary file in the destination's folder, are made durable,
// and the file is then renamed into place, replacing any file of that name. On
// any failure the temporary file is removed and PatchError names what failed.
// A destination that is the same file as one of `protectedFiles` (the ROM
// files the patch is made from; by name, or by device and inode when both
// exist, so that links are caught) is refused before anything is written.
void WritePatchFile(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes,
                    std::span<const std::filesystem::path> protectedFiles);

}  // namespace torvale
