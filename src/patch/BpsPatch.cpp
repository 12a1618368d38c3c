#include "patch/BpsPatch.h"

#include <string_view>

#include "patch/ImageIdentity.h"

namespace torvale {
namespace {

constexpr std::string_view kSignature = "BPS1";
enum Action : std::uint64_t { kSourceRead = 0, kTargetRead = 1 };

// The format's variable-length number: seven bits per byte, lowest first, the
// top bit marking the last byte, and one subtracted after each byte so that
// every number has a single encoding.
void PutNumber(std::vector<std::uint8_t>& out, std::uint64_t value) {
  while (true) {
    const auto low = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
    if (value == 0) {
      out.push_back(0x80 | low);
      return;
    }
    out.push_back(low);
    --value;
  }
}

void PutAction(std::vector<std::uint8_t>& out, Action action, std::size_t length) {
  PutNumber(out, action | ((std::uint64_t{length} - 1) << 2));
}

void PutCrc(std::vector<std::uint8_t>& out, std::uint32_t crc) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(crc >> shift));
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeBps(std::span<const std::uint8_t> clean,
                                    std::span<const std::uint8_t> edited,
                                    std::span<const ChangedRun> runs, std::string_view metadata) {
  std::vector<std::uint8_t> patch(kSignature.begin(), kSignature.end());
  PutNumber(patch, clean.size());
  PutNumber(patch, edited.size());
  PutNumber(patch, metadata.size());
  patch.insert(patch.end(), metadata.begin(), metadata.end());
  std::size_t written = 0;  // the target's bytes described so far
  for (const ChangedRun& run : runs) {
    if (run.offset > written) PutAction(patch, kSourceRead, run.offset - written);
    PutAction(patch, kTargetRead, run.length);
    const auto bytes = edited.subspan(run.offset, run.length);
    patch.insert(patch.end(), bytes.begin(), bytes.end());
    written = run.offset + run.length;
  }
  if (edited.size() > written) PutAction(patch, kSourceRead, edited.size() - written);
  PutCrc(patch, Crc32(clean));
  PutCrc(patch, Crc32(edited));
  PutCrc(patch, Crc32(patch));
  return patch;
}

}  // namespace torvale
