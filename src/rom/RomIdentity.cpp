#include "rom/RomIdentity.h"

#include <string_view>

#include "rom/RomImage.h"

namespace torvale {
namespace {

constexpr FileOffset kHiRomTitleOffset = 0x101C0;
constexpr FileOffset kLoRomTitleOffset = 0x81C0;
constexpr std::size_t kHiRomTitleLength = 15;
constexpr std::size_t kLoRomTitleLength = 20;

Release ReleaseOfTitles(std::string_view hiRomTitle, std::string_view loRomTitle) {
  if (hiRomTitle == "FINAL FANTASY 3") return Release::kOtherGame;
  if (loRomTitle == "FINAL FANTASY 4 EASY") return Release::kEasyType;
  if (loRomTitle.substr(0, 15) == "FINAL FANTASY 4") return Release::kJapanese;
  return Release::kUs;
}

std::string_view TitleAt(std::span<const std::uint8_t> image, FileOffset fileOffset,
                         std::size_t length) {
  const std::span<const std::uint8_t> title = image.subspan(fileOffset - kCopierHeaderSize, length);
  return {reinterpret_cast<const char*>(title.data()), title.size()};
}

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

Release ReleaseOf(std::span<const std::uint8_t> image) {
  return ReleaseOfTitles(TitleAt(image, kHiRomTitleOffset, kHiRomTitleLength),
                         TitleAt(image, kLoRomTitleOffset, kLoRomTitleLength));
}

std::string_view ReleaseName(Release release) {
  switch (release) {
    case Release::kUs:
      return "the US release of Final Fantasy II";
    case Release::kJapanese:
      return "the Japanese release, Final Fantasy 4";
    case Release::kEasyType:
      return "the Japanese Final Fantasy 4 EasyType";
    case Release::kOtherGame:
      break;
  }
  return "another game";
}

IdentityCheck CheckROMIdentity(const RomFile& rom) {
  const std::string hiRomTitle = rom.ReadFixedText(kHiRomTitleOffset, kHiRomTitleLength);
  const std::string loRomTitle = rom.ReadFixedText(kLoRomTitleOffset, kLoRomTitleLength);
  switch (ReleaseOfTitles(hiRomTitle, loRomTitle)) {
    case Release::kOtherGame:
      return {IdentityVerdict::kRefused,
              "You tried to load: [ " + hiRomTitle +
                  " ].  Why in god's name are you trying to corrupt this ROM?"};
    case Release::kEasyType:
      return {IdentityVerdict::kWarned, UnsupportedWarning(loRomTitle, "Final Fantasy 4 EasyType")};
    case Release::kJapanese:
      return {IdentityVerdict::kWarned,
              UnsupportedWarning(loRomTitle.substr(0, 15), "Final Fantasy 4")};
    case Release::kUs:
      break;
  }
  return {IdentityVerdict::kAccepted, {}};
}

}  // namespace torvale
