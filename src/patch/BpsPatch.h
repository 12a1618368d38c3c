#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "patch/ImageDiff.h"

namespace torvale {

// A BPS patch ("BPS1") that turns `clean` into `edited`, given the runs in
// which they differ (DiffImages): unchanged stretches are read from the
// source, changed runs carried in the patch. `metadata` (often XML, possibly
// none) goes in the header as given. The footer holds the CRC32 of the
// source, of the target and of the patch before it.
std::vector<std::uint8_t> EncodeBps(std::span<const std::uint8_t> clean,
                                    std::span<const std::uint8_t> edited,
                                    std::span<const ChangedRun> runs,
                                    std::string_view metadata = {});

}  // namespace torvale
