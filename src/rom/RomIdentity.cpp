#include "rom/RomIdentity.h"

#include <string_view>

namespace torvale {
namespace {

constexpr FileOffset kHiRomTitleOffset = 0x101C0;
constexpr FileOffset kLoRomTitleOffset = 0x81C0;

std::string UnsupportedWarning(const std::string& title, std::string_view release) {
  return "You're loading: [ " + title + " ].  " + std::string(release) +
         " is not directly supported--don't email me and complain about my program fucking up "
         "your ROM.\r\n\r\nThe application will continue--Please use at your own risk.";
}

}  // namespace

std::optional<std::string> CheckRomLength(const RomFile& rom) {
  if (rom.Size() >= kMinimumRomSize && rom.Size() <= kLargestRomSize) return std::nullopt;
  const bool few = rom.Size() < kMinimumRomSize;
  return "The file \"" + rom.Path().filename().string() + "\" holds " + std::to_string(rom.Size()) +
         " bytes, too " + (few ? "few" : "many") + " for a Final Fantasy II (US) ROM image: " +
         (few ? "the editors need at least " + std::to_string(kMinimumRomSize) + " bytes"
              : "the largest SNES cartridge image with its copier header holds " +
                    std::to_string(kLargestRomSize) + " bytes") +
         ".\r\n\r\nThe file was not opened and has not been changed.";
}

IdentityCheck CheckROMIdentity(const RomFile& rom) {
  const std::string hiRomTitle = rom.ReadFixedText(kHiRomTitleOffset, 15);
  const std::string loRomTitle20 = rom.ReadFixedText(kLoRomTitleOffset, 20);
  const std::string loRomTitle15 = loRomTitle20.substr(0, 15);
  if (hiRomTitle == "FINAL FANTASY 3") {
    return {IdentityVerdict::kRefused,
            "You tried to load: [ " + hiRomTitle +
                " ].  Why in god's name are you trying to corrupt this ROM?"};
  }
  if (loRomTitle20 == "FINAL FANTASY 4 EASY") {
    return {IdentityVerdict::kWarned, UnsupportedWarning(loRomTitle20, "Final Fantasy 4 EasyType")};
  }
  if (loRomTitle15 == "FINAL FANTASY 4") {
    return {IdentityVerdict::kWarned, UnsupportedWarning(loRomTitle15, "Final Fantasy 4")};
  }
  return {IdentityVerdict::kAccepted, {}};
}

}  // namespace torvale
