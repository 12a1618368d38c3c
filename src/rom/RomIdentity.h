#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "rom/RomFile.h"

namespace torvale {

// The smallest file that holds every table the editors address
// (the last is the map property table, ending at 0xAB1D8).
inline constexpr std::uint64_t kMinimumRomSize = 0xAB1D9;

// The largest SNES cartridge image (8 MiB) behind its copier header.
inline constexpr std::uint64_t kLargestRomSize = 0x800000 + 0x200;

// A file too short for the editors, or too large to be a cartridge image:
// the refusal message, or nothing.
std::optional<std::string> CheckRomLength(const RomFile& rom);

// Which release of the game an image is, by its internal titles: the US
// release, the Japanese one or its EasyType, or another game.
enum class Release { kUs, kJapanese, kEasyType, kOtherGame };
// The same judged from a game image held in memory (no copier header), one
// long enough to hold both titles.
Release ReleaseOf(std::span<const std::uint8_t> image);
// "the US release": how a message names the release.
std::string_view ReleaseName(Release release);

enum class IdentityVerdict { kAccepted, kWarned, kRefused };
struct IdentityCheck {
  IdentityVerdict verdict;
  std::string message;  // empty when accepted
};

// Refuses another game's ROM and warns about the Japanese releases.
// Reads only; nothing is written.
IdentityCheck CheckROMIdentity(const RomFile& rom);

}  // namespace torvale
