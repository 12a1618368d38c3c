#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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

// No Super Nintendo image is larger; a patch that claims a larger target is
// refused before any memory is taken for it.
inline constexpr std::size_t kBpsLargestTarget = std::size_t{1} << 24;

struct BpsContents {
  std::vector<std::uint8_t> target;
  std::string metadata;  // the header's bytes as they are; empty when there is none
};

// Applies a BPS patch to `source`. Everything is checked: the signature, the
// patch's own CRC32, the source's size and CRC32, every action against both
// ends of the source and of the target written so far, the target's size and
// its CRC32. A refusal is a PatchError naming what is wrong and at which
// offset of the patch.
BpsContents ReadBps(std::span<const std::uint8_t> patch, std::span<const std::uint8_t> source);

}  // namespace torvale
