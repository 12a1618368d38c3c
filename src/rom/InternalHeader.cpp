#include "rom/InternalHeader.h"

#include <array>
#include <utility>

namespace torvale {
namespace {

// In the order Save compares them.
constexpr std::array<std::pair<std::uint8_t, std::string_view>, 4> kCountries = {{
    {0, "Japan (NTSC)"},
    {1, "USA (NTSC)"},
    {2, "Europe/Oceania/Asia (PAL)"},
    {11, "Hong Kong/China (PAL)"},
}};

}  // namespace

std::string ReadRomName(const RomFile& rom) {
  return rom.ReadFixedText(kInternalNameOffset, kInternalNameLength);
}

void WriteRomName(RomFile& rom, std::string_view name) {
  rom.WriteFixedText(kInternalNameOffset, name.substr(0, kEditableNameLength), kInternalNameLength);
}

std::optional<std::string_view> CountryCaption(std::uint8_t code) {
  for (const auto& [value, caption] : kCountries) {
    if (value == code) return caption;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> CountryCode(std::string_view caption) {
  for (const auto& [value, known] : kCountries) {
    if (known == caption) return value;
  }
  return std::nullopt;
}

std::optional<std::string_view> ReadCountryCaption(const RomFile& rom) {
  return CountryCaption(rom.ReadByte(kCountryCodeOffset));
}

void WriteCountryCode(RomFile& rom, std::string_view caption) {
  if (const auto code = CountryCode(caption)) rom.WriteByte(kCountryCodeOffset, *code);
}

std::string_view VersionCaption(std::uint8_t version) {
  switch (version) {
    case 0:
      return "1.0";
    case 1:
      return "1.1";
    default:
      return "Unknown";
  }
}

std::string_view ReadVersionCaption(const RomFile& rom) {
  return VersionCaption(rom.ReadByte(kVersionOffset));
}

}  // namespace torvale
