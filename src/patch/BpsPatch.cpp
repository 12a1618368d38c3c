#include "patch/BpsPatch.h"

#include <algorithm>
#include <cinttypes>

#include "patch/ImageIdentity.h"
#include "patch/PatchError.h"

namespace torvale {
namespace {

constexpr std::string_view kSignature = "BPS1";
enum Action : std::uint64_t { kSourceRead = 0, kTargetRead = 1, kSourceCopy = 2, kTargetCopy = 3 };
constexpr const char* kActionNames[] = {"SourceRead", "TargetRead", "SourceCopy", "TargetCopy"};
constexpr std::size_t kFooterSize = 12;  // the CRC32s of the source, the target and the patch
// Eight bytes hold 56 bits, more than any size, length or offset of an image;
// a longer number is refused before its value could overflow.
constexpr int kLongestNumber = 8;

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

std::uint32_t CrcAt(std::span<const std::uint8_t> patch, std::size_t at) {
  std::uint32_t crc = 0;
  for (std::size_t i = 4; i-- > 0;) crc = crc << 8 | patch[at + i];
  return crc;
}

// Reads a patch's header and actions from the front; whatever would run into
// the footer is refused.
class BodyReader {
 public:
  explicit BodyReader(std::span<const std::uint8_t> patch)
      : m_body(patch.first(patch.size() - kFooterSize)) {}

  std::size_t At() const { return m_at; }
  bool Done() const { return m_at == m_body.size(); }

  // PutNumber's encoding read back; `what` names the number in a refusal.
  std::uint64_t Number(const char* what) {
    const std::size_t start = m_at;
    std::uint64_t value = 0, place = 1;
    int length = 0;
    for (; length < kLongestNumber && !Done(); ++length) {
      const std::uint8_t byte = m_body[m_at++];
      value += (byte & 0x7F) * place;
      if (byte & 0x80) return value;
      place <<= 7;
      value += place;
    }
    if (length == kLongestNumber) {
      ThrowPatchError("The BPS patch's %s at offset 0x%zX is too large for any image.", what,
                      start);
    }
    ThrowPatchError("The BPS patch's %s at offset 0x%zX runs into its footer at offset 0x%zX.",
                    what, start, m_at);
  }

  std::span<const std::uint8_t> Bytes(std::uint64_t count, const char* what) {
    if (count > m_body.size() - m_at) {
      ThrowPatchError("The BPS patch's %s (%" PRIu64
                      " bytes from offset 0x%zX) runs into its footer at offset 0x%zX.",
                      what, count, m_at, m_body.size());
    }
    const auto bytes = m_body.subspan(m_at, static_cast<std::size_t>(count));
    m_at += bytes.size();
    return bytes;
  }

 private:
  std::span<const std::uint8_t> m_body;  // all before the footer
  std::size_t m_at = kSignature.size();
};

// An image's size, after the name of the unedited dump that has its CRC32, if any.
std::string Describe(std::uint32_t crc, std::uint64_t size) {
  const auto dump = KnownDumpName(crc);
  return (dump ? std::string(*dump) + ", " : "") + std::to_string(size) + " bytes";
}

// A copy's offset moves by the signed step the patch gives: its lowest bit the
// sign, the rest the distance.
std::int64_t Moved(std::int64_t offset, std::uint64_t step) {
  const auto distance = static_cast<std::int64_t>(step >> 1);
  return step & 1 ? offset - distance : offset + distance;
}

void CheckSourceReach(const char* action, std::size_t at, std::int64_t from, std::size_t length,
                      std::size_t sourceSize) {
  if (from < 0) {
    ThrowPatchError("The BPS patch's %s at offset 0x%zX reads from source offset %" PRId64
                    ", before the source's start.",
                    action, at, from);
  }
  if (static_cast<std::uint64_t>(from) + length > sourceSize) {
    ThrowPatchError(
        "The BPS patch's %s at offset 0x%zX reads %zu bytes from source offset 0x%" PRIX64
        ", past the source's end (%zu bytes).",
        action, at, length, from, sourceSize);
  }
}

// Appends target bytes [from, from + length), which may overlap the bytes the
// copy itself writes: they then repeat every (end - from) bytes, so each pass
// may copy all that lies between `from` and the end so far.
void AppendFromTarget(std::vector<std::uint8_t>& target, std::size_t from, std::size_t length) {
  const std::size_t start = target.size();
  target.resize(start + length);
  for (std::size_t done = 0; done < length;) {
    const std::size_t count = std::min(length - done, start + done - from);
    std::copy_n(target.data() + from, count, target.data() + start + done);
    done += count;
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

BpsContents ReadBps(std::span<const std::uint8_t> patch, std::span<const std::uint8_t> source) {
  if (!std::ranges::equal(patch.first(std::min(patch.size(), kSignature.size())), kSignature)) {
    ThrowPatchError("The file is not a BPS patch: it does not start with \"BPS1\".");
  }
  if (patch.size() < kSignature.size() + 3 + kFooterSize) {
    ThrowPatchError("The BPS patch is cut short: its %zu bytes cannot hold a header and a footer.",
                    patch.size());
  }
  const std::size_t footer = patch.size() - kFooterSize;
  const std::uint32_t patchCrc = Crc32(patch.first(footer + 8));
  if (CrcAt(patch, footer + 8) != patchCrc) {
    ThrowPatchError(
        "The BPS patch is damaged or cut short: it gives its CRC32 at offset 0x%zX as "
        "0x%08X, and its bytes make 0x%08X.",
        footer + 8, CrcAt(patch, footer + 8), patchCrc);
  }
  BodyReader body(patch);
  const std::uint64_t sourceSize = body.Number("source size");
  const std::uint64_t targetSize = body.Number("target size");
  const auto metadata = body.Bytes(body.Number("metadata length"), "metadata");
  const std::uint32_t sourceCrc = CrcAt(patch, footer), imageCrc = Crc32(source);
  if (sourceSize != source.size() || sourceCrc != imageCrc) {
    ThrowPatchError(
        "The patch was made for an image of CRC32 0x%08X (%s); this image's is 0x%08X "
        "(%s).",
        sourceCrc, Describe(sourceCrc, sourceSize).c_str(), imageCrc,
        Describe(imageCrc, source.size()).c_str());
  }
  if (targetSize > kBpsLargestTarget) {
    ThrowPatchError("The BPS patch makes an image of %" PRIu64
                    " bytes, larger than any Super Nintendo image (%zu bytes).",
                    targetSize, kBpsLargestTarget);
  }
  BpsContents contents{{}, std::string(metadata.begin(), metadata.end())};
  std::vector<std::uint8_t>& target = contents.target;
  target.reserve(static_cast<std::size_t>(targetSize));
  std::int64_t sourceOffset = 0, targetOffset = 0;  // where the next copy of each reads
  while (!body.Done()) {
    const std::size_t at = body.At(), out = target.size();
    const std::uint64_t action = body.Number("action");
    const char* name = kActionNames[action & 3];
    if ((action >> 2) + 1 > targetSize - out) {
      ThrowPatchError("The BPS patch's %s at offset 0x%zX writes %" PRIu64
                      " bytes from target offset 0x%zX, past the target's size (%" PRIu64
                      " bytes).",
                      name, at, (action >> 2) + 1, out, targetSize);
    }
    const auto length = static_cast<std::size_t>(action >> 2) + 1;
    switch (action & 3) {
      case kSourceRead:
        CheckSourceReach(name, at, static_cast<std::int64_t>(out), length, source.size());
        target.insert(target.end(), source.begin() + out, source.begin() + out + length);
        break;
      case kTargetRead: {
        const auto bytes = body.Bytes(length, "TargetRead");
        target.insert(target.end(), bytes.begin(), bytes.end());
        break;
      }
      case kSourceCopy:
        sourceOffset = Moved(sourceOffset, body.Number("SourceCopy offset"));
        CheckSourceReach(name, at, sourceOffset, length, source.size());
        target.insert(target.end(), source.begin() + sourceOffset,
                      source.begin() + sourceOffset + length);
        sourceOffset += static_cast<std::int64_t>(length);
        break;
      case kTargetCopy:
        targetOffset = Moved(targetOffset, body.Number("TargetCopy offset"));
        // Each byte is copied after the one before it is written, so only the
        // first needs to be written already.
        if (targetOffset < 0 || static_cast<std::uint64_t>(targetOffset) >= out) {
          ThrowPatchError(
              "The BPS patch's TargetCopy at offset 0x%zX reads from target offset "
              "%" PRId64 ", outside the %zu bytes written so far.",
              at, targetOffset, out);
        }
        AppendFromTarget(target, static_cast<std::size_t>(targetOffset), length);
        targetOffset += static_cast<std::int64_t>(length);
        break;
    }
  }
  if (target.size() != targetSize) {
    ThrowPatchError(
        "The BPS patch's actions end at offset 0x%zX having written %zu bytes; its "
        "header gives the target %" PRIu64 ".",
        footer, target.size(), targetSize);
  }
  const std::uint32_t made = Crc32(target), expected = CrcAt(patch, footer + 4);
  if (made != expected) {
    ThrowPatchError(
        "The BPS patch makes an image of CRC32 0x%08X; its footer at offset 0x%zX "
        "gives the target's as 0x%08X.",
        made, footer + 4, expected);
  }
  return contents;
}

}  // namespace torvale
