#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"
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
// layout, tileset, background graphics, map palette, NPC palette, music,
// layout index; the map name index and the map index are shown only.
const Table& MapPropertyTable();
// The same music byte, as the music editor shows it: the song of each map.
const Table& MapSongTable();

// The song (or sound) a map's music byte plays, for every byte value.
std::string_view MapMusicText(std::uint8_t music);
std::vector<std::string> MapMusicEntries();

}  // namespace torvale
