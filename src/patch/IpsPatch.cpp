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

std::size_t BigEndian(std::span<const std::uint8_t> bytes) {
  std::size_t value = 0;
  for (const std::uint8_t byte : bytes) value = value << 8 | byte;
  return value;
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

std::vector<std::uint8_t> ReadIps(std::span<const std::uint8_t> patch,
                                  std::span<const std::uint8_t> image) {
  if (!std::ranges::equal(patch.first(std::min(patch.size(), kHeader.size())), kHeader)) {
    ThrowPatchError("The file is not an IPS patch: it does not start with \"PATCH\".");
  }
  std::vector<std::uint8_t> target(image.begin(), image.end());
  std::size_t at = kHeader.size(), record = at;
  // The next `count` bytes of the record, `part` of it.
  const auto take = [&](std::size_t count, const char* part) {
    if (count > patch.size() - at) {
      ThrowPatchError(
          "The IPS patch is cut short: the file ends at offset 0x%zX, inside the %s of "
          "the record at offset 0x%zX.",
          patch.size(), part, record);
    }
    at += count;
    return patch.subspan(at - count, count);
  };
  while (true) {
    record = at;
    if (at == patch.size()) {
      ThrowPatchError("The IPS patch is cut short: it ends at offset 0x%zX without \"EOF\".", at);
    }
    const auto where = take(3, "offset");
    if (std::ranges::equal(where, kFooter)) break;
    const std::size_t offset = BigEndian(where);
    std::size_t length = BigEndian(take(2, "length"));
    const bool run = length == 0;  // one byte repeated
    if (run) length = BigEndian(take(2, "run length"));
    const auto bytes = take(run ? 1 : length, run ? "run's byte" : "bytes");
    if (offset + length > target.size()) {
      ThrowPatchError(
          "The IPS patch's record at offset 0x%zX writes %zu bytes at image offset "
          "0x%06zX, past the image's end (%zu bytes); an image's length never changes.",
          record, length, offset, target.size());
    }
    if (run) {
      std::fill_n(target.begin() + static_cast<std::ptrdiff_t>(offset), length, bytes[0]);
    } else {
      std::ranges::copy(bytes, target.begin() + static_cast<std::ptrdiff_t>(offset));
    }
  }
  const auto rest = patch.subspan(at);
  if (rest.empty()) return target;
  if (rest.size() != 3) {
    ThrowPatchError(
        "The IPS patch holds %zu bytes after \"EOF\" at offset 0x%zX, where only the "
        "image's 3-byte length may follow.",
        rest.size(), record);
  }
  if (BigEndian(rest) != target.size()) {
    ThrowPatchError(
        "The IPS patch sets the image's length to %zu bytes at offset 0x%zX; an "
        "image's length never changes, and this one's is %zu bytes.",
        BigEndian(rest), at, target.size());
  }
  return target;
}

}  // namespace torvale
