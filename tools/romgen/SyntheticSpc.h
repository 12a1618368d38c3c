#pragma once

// A small SPC music file made up for the tests and the README's pictures: a
// tag with the given game and title, and a sound processor whose program does
// nothing but loop, so it runs without ever making a sound.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace torvale::romgen {

inline constexpr std::size_t kSpcFileSize = 0x10200;

// The whole file; `game` and `title` are cut to their 32-byte fields.
std::vector<std::uint8_t> BuildSyntheticSpc(std::string_view game, std::string_view title);

}  // namespace torvale::romgen
