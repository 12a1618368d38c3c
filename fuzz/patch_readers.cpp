// BPS and IPS patches read from any bytes.
//
// The input's first byte picks the format; the rest is the patch, read
// against a small image. Whatever it holds, the reading gives an image or a
// PatchError, never anything else. An IPS patch never changes the image's
// length. A BPS patch taken makes the image its footer names, and the same
// change written again by Torvale reads back as the same image and metadata.

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

#include "FuzzRom.h"
#include "patch/BpsPatch.h"
#include "patch/ImageDiff.h"
#include "patch/IpsPatch.h"
#include "patch/PatchError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale;
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  const bool bps = input.Byte() & 1;
  const auto patch = input.Rest();
  static const std::vector<std::uint8_t> image = [] {
    std::vector<std::uint8_t> bytes(64);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{'0'});
    return bytes;
  }();
  try {
    if (!bps) {
      Require(ReadIps(patch, image).size() == image.size(), "an IPS patch keeps the length");
      return 0;
    }
    const BpsContents read = ReadBps(patch, image);
    if (read.target.size() != image.size()) return 0;
    const BpsContents again =
        ReadBps(EncodeBps(image, read.target, DiffImages(image, read.target), read.metadata), image);
    Require(again.target == read.target && again.metadata == read.metadata,
            "a BPS patch written again reads back the same");
  } catch (const PatchError&) {
  }
  return 0;
}
