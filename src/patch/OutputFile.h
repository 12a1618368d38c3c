#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "patch/OutputIo.h"

namespace torvale {

// Writes a file that Torvale makes (a patch, a table's CSV, a change set) so
// that its name never holds a partial one: the bytes
// go to a new temporary file in the destination's folder, are made durable,
// and the file is then renamed into place, replacing any file of that name and
// keeping its permissions. On any failure before the rename the temporary file
// is removed and PatchError names what failed; when the folder cannot be made
// durable after it, PatchNotDurableError says that the file is there but not
// known to be on disk. `what` names the file in messages: "patch".
// A destination that is the same file as one of `protectedFiles` (the ROM
// files it is made from; by name, or by device and inode when both
// exist, so that links are caught) is refused before anything is written.
void WriteOutputFile(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes,
                     std::span<const std::filesystem::path> protectedFiles,
                     std::string_view what = "patch", OutputIo& io = SystemOutputIo());

}  // namespace torvale
