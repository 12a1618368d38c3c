#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "patch/ImageDiff.h"

namespace torvale {

// IPS offsets are three bytes: an image above 16 MiB cannot be patched.
inline constexpr std::size_t kIpsLargestImage = std::size_t{1} << 24;

// An IPS patch ("PATCH", records, "EOF") that writes the changed runs of
// `edited` (DiffImages against the clean image). A run longer than a record
// holds is split, and no record starts at the offset that reads "EOF". An
// image above kIpsLargestImage is refused (PatchError).
std::vector<std::uint8_t> EncodeIps(std::span<const std::uint8_t> edited,
                                    std::span<const ChangedRun> runs);

// Applies an IPS patch to `image`: its records, plain or run-length (a run of
// one byte), up to "EOF", and after it the optional 3-byte size of the
// target. The image keeps its length: a record past its end, or a size other
// than its own, is refused, as is a patch cut short or anything else after
// "EOF" (PatchError, naming the offset in the patch).
std::vector<std::uint8_t> ReadIps(std::span<const std::uint8_t> patch,
                                  std::span<const std::uint8_t> image);

}  // namespace torvale
