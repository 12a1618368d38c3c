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

std::vector<std::uint8_t> ReadRomFile(const RomFile& rom) {
  return rom.ReadBytes(0, rom.Size());
}

}  // namespace torvale
