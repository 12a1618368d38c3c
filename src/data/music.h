#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "data/maps.h"
#include "rom/RomFile.h"

namespace torvale {

inline constexpr int kSongCount = 56;

// The song byte of map m: byte 11 of its property record.
constexpr FileOffset SongOffset(int map) {
  return MapPropertyOffset(map) + kMapMusicField;
}

// The songs a map can play, index = song number.
const std::array<std::string_view, kSongCount>& SongNames();

}  // namespace torvale
