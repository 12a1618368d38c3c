#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace torvale {

inline constexpr int kSongCount = 56;

// The songs a map can play, index = song number.
const std::array<std::string_view, kSongCount>& SongNames();

}  // namespace torvale
