#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "patch/ImageDiff.h"

namespace torvale {

// A BPS patch ("BPS1") that turns `clean` into `edited`, given the runs in
// which they differ (DiffImages): unchanged stretches are read from the
// source, changed runs carried in the patch. No metadata. The footer holds the
// CRC32 of the source, of the target and of the patch before it.
std::vector<std::uint8_t> EncodeBps(std::span<const std::uint8_t> clean,
                                    std::span<const std::uint8_t> edited,
                                    std::span<const ChangedRun> runs);

}  // namespace torvale
