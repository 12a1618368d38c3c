#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rom/RomFile.h"

namespace torvale {

// The cartridge's own header inside the game image.
inline constexpr FileOffset kInternalNameOffset = 0x81C0;
// The 21-byte title and the map-mode byte after it.
inline constexpr std::size_t kInternalNameLength = 22;
// What the user may type: the map-mode byte always stays a space.
inline constexpr std::size_t kEditableNameLength = 21;
inline constexpr FileOffset kCountryCodeOffset = 0x81D9;
inline constexpr FileOffset kVersionOffset = 0x81DB;

std::string ReadRomName(const RomFile& rom);
// Writes the name's first 21 characters and pads the 22-byte field with spaces.
void WriteRomName(RomFile& rom, std::string_view name);

// Country code <-> caption; only four values have a caption.
std::optional<std::string_view> CountryCaption(std::uint8_t code);
std::optional<std::uint8_t> CountryCode(std::string_view caption);
std::optional<std::string_view> ReadCountryCaption(const RomFile& rom);
// Writes the code of a known caption; any other caption writes nothing.
void WriteCountryCode(RomFile& rom, std::string_view caption);

// "1.0", "1.1" or "Unknown".
std::string_view VersionCaption(std::uint8_t version);
std::string_view ReadVersionCaption(const RomFile& rom);

}  // namespace torvale
