#pragma once

#include <cstdint>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

// The table of 33 short texts, five bytes each, no icon byte.
inline constexpr FileOffset kTextEntryTable = 0x7A9C6;
inline constexpr int kTextEntryCount = 33;
inline constexpr std::uint16_t kTextEntryLength = 5;

constexpr FileOffset TextEntryOffset(int entry) {
  return kTextEntryTable + kTextEntryLength * static_cast<FileOffset>(entry);
}

const Table& TextEntryTable();

}  // namespace torvale
