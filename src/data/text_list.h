#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rom/RomFile.h"
#include "text/TextCodec.h"

namespace torvale {

// The table of 33 short texts, five bytes each, no icon byte.
inline constexpr FileOffset kTextEntryTable = 0x7A9C6;
inline constexpr int kTextEntryCount = 33;
inline constexpr std::uint16_t kTextEntryLength = 5;

constexpr FileOffset TextEntryOffset(int entry) {
  return kTextEntryTable + kTextEntryLength * static_cast<FileOffset>(entry);
}

std::string ReadTextEntry(const TextCodec& codec, const RomFile& rom, int entry);
void WriteTextEntry(const TextCodec& codec, RomFile& rom, int entry, std::string_view text);

}  // namespace torvale
