#include "patch/IpsPatch.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "patch/PatchError.h"

namespace torvale {
namespace {

constexpr std::string_view kHeader = "PATCH";
constexpr std::string_view kFooter = "EOF";
constexpr std::size_t kLongestRecord = 0xFFFF;
// A record at this offset would read as the footer. Such a record starts one
// byte earlier instead, rewriting that byte with the edited image's value.
constexpr std::size_t kFooterOffset = 0x454F46;

void PutBigEndian(std::vector<std::uint8_t>& out, std::size_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeIps(std::span<const std::uint8_t> edited,
                                    std::span<const ChangedRun> runs) {
  if (edited.size() > kIpsLargestImage) {
    throw PatchError("The image holds " + std::to_string(edited.size()) +
                     " bytes: an IPS patch reaches only the first 16 MiB (16,777,216 bytes); "
                     "make a BPS patch instead.");
  }
  std::vector<std::uint8_t> patch(kHeader.begin(), kHeader.end());
  for (const ChangedRun& run : runs) {
    const std::size_t end = run.offset + run.length;
    for (std::size_t at = run.offset; at < end;) {
      const std::size_t start = at == kFooterOffset ? at - 1 : at;
      const std::size_t length = std::min(end - start, kLongestRecord);
      PutBigEndian(patch, start, 3);
      PutBigEndian(patch, length, 2);
      patch.insert(patch.end(), edited.begin() + static_cast<std::ptrdiff_t>(start),
                   edited.begin() + static_cast<std::ptrdiff_t>(start + length));
      at = start + length;
    }
  }
  patch.insert(patch.end(), kFooter.begin(), kFooter.end());
  return patch;
}

}  // namespace torvale
