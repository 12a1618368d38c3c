#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace torvale {

// The game's character table: the text of each byte value. An entry is empty
// (the byte shows nothing: icons, control codes), one character, or "..".
using TextTable = std::array<std::string_view, 256>;

// The table is built into the program; the same for every ROM.
const TextTable& LoadTable();

// The lowest byte whose entry is exactly this one character, if any.
std::optional<std::uint8_t> EncodeCharacter(char character);

}  // namespace torvale
