#include "patch/ImageDiff.h"

#include <cstring>
#include <string>

#include "patch/PatchError.h"

namespace torvale {
namespace {

// Long equal stretches are skipped a block at a time.
constexpr std::size_t kBlock = 64;

std::size_t NextDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                           std::size_t from) {
  while (from + kBlock <= a.size() && std::memcmp(&a[from], &b[from], kBlock) == 0) from += kBlock;
  while (from < a.size() && a[from] == b[from]) ++from;
  return from;
}

}  // namespace

std::vector<ChangedRun> DiffImages(std::span<const std::uint8_t> clean,
                                   std::span<const std::uint8_t> edited) {
  if (clean.size() != edited.size()) {
    throw PatchError("The clean image holds " + std::to_string(clean.size()) +
                     " bytes and the edited image " + std::to_string(edited.size()) +
                     ": a patch needs two images of the same size.");
  }
  std::vector<ChangedRun> runs;
  std::size_t at = NextDifference(clean, edited, 0);
  while (at < clean.size()) {
    std::size_t end = at + 1;
    while (end < clean.size() && clean[end] != edited[end]) ++end;
    runs.push_back({at, end - at});
    at = NextDifference(clean, edited, end);
  }
  return runs;
}

}  // namespace torvale
