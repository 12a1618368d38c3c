#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace torvale {

// A run of consecutive bytes that differ between two images.
struct ChangedRun {
  std::size_t offset = 0;
  std::size_t length = 0;
  bool operator==(const ChangedRun&) const = default;
};

// Every run of changed bytes between a clean image and an edited one of the
// same size, in ascending order; empty when they are equal. Images of
// different sizes are refused (PatchError).
std::vector<ChangedRun> DiffImages(std::span<const std::uint8_t> clean,
                                   std::span<const std::uint8_t> edited);

}  // namespace torvale
