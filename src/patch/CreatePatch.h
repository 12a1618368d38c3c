#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace torvale {

enum class PatchFormat { kBps, kIps };

// What a patch changes: how many bytes, in how many runs of consecutive bytes.
struct PatchSummary {
  std::uint64_t changedBytes = 0;
  std::size_t runCount = 0;
  bool written = false;  // false when the images are equal: no file was written
};

// Makes the patch that turns the clean game image into the edited one (both
// without copier header, of the same size) and writes it safely to
// `destination` (WriteOutputFile), refusing a destination that is one of
// `protectedFiles`. A BPS patch carries `metadata`; an IPS patch has no room for it. When the images are equal nothing is written. Failures
// are thrown as PatchError.
PatchSummary CreatePatch(std::span<const std::uint8_t> clean, std::span<const std::uint8_t> edited,
                         PatchFormat format, const std::filesystem::path& destination,
                         std::span<const std::filesystem::path> protectedFiles,
                         std::string_view metadata = {});

}  // namespace torvale
