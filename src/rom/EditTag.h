#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "rom/RomFile.h"

namespace torvale {

// Save signs the copier header with a short tag naming this program.
inline constexpr FileOffset kEditTagOffset = 0x100;
inline constexpr std::size_t kEditTagLength = 32;
inline constexpr std::size_t kEditTagShownLength = 25;
inline constexpr std::uint8_t kEditedMarker = 0x44;  // "D", the tag's first character

// "D:1.2b | Torvale".
std::string EditTagText();
// Writes the tag, padded with spaces, over the whole 32-byte field.
void WriteEditTag(RomFile& rom);

struct RomTag {
  bool present;       // false when the field's first byte is 0x00
  std::string shown;  // the field's first 25 characters, or "[None]"
};
RomTag ReadEditTag(const RomFile& rom);

enum class EditedState { kEdited, kUnedited, kUnknown };
EditedState ReadEditedState(const RomFile& rom);

}  // namespace torvale
