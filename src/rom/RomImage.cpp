#include "rom/RomImage.h"

#include "rom/RomError.h"

namespace torvale {

std::vector<std::uint8_t> ReadRomImage(const RomFile& rom) {
  if (rom.Size() < kCopierHeaderSize) {
    throw RomRangeError("\"" + rom.Path().filename().string() +
                        "\" is too short to hold a copier header");
  }
  return rom.ReadBytes(kCopierHeaderSize, rom.Size() - kCopierHeaderSize);
}

}  // namespace torvale
