#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "rom/RomFile.h"

namespace torvale {

// Map property records: 381 maps of 13 one-byte fields.
inline constexpr FileOffset kMapPropertyTable = 0xA9E80;
inline constexpr int kMapCount = 381;
inline constexpr FileOffset kMapPropertyLength = 13;

constexpr FileOffset MapPropertyOffset(int map) {
  return kMapPropertyTable + kMapPropertyLength * static_cast<FileOffset>(map);
}

// Unknown 1, unknown 2, map name index, treasure index, unknown 3, map index,
// layout, tileset, background graphics, map palette, NPC palette, music, layout index.
using MapProperties = std::array<std::uint8_t, kMapPropertyLength>;
inline constexpr std::size_t kMapMusicField = 11;

MapProperties ReadMapProperties(const RomFile& rom, int map);
// One byte at a time in field order; the map name index (2) and map index (5)
// are never written.
void WriteMapProperties(RomFile& rom, int map, const MapProperties& fields);

// The song (or sound) a map's music byte plays, for every byte value.
std::string_view MapMusicText(std::uint8_t music);

}  // namespace torvale
