#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

class TextCodec;

inline constexpr int kMonsterCount = 224;
inline constexpr FileOffset kMonsterNameTable = 0x71A00;
inline constexpr std::uint16_t kMonsterNameLength = 8;
inline constexpr FileOffset kMonsterGpTable = 0x72200;
inline constexpr FileOffset kMonsterExperienceTable = 0x723C0;
// Graphic records: size, palette, graphic pointer (a word).
inline constexpr FileOffset kMonsterGraphicTable = 0x7CC00;
inline constexpr FileOffset kMonsterGraphicLength = 4;

constexpr FileOffset MonsterNameOffset(int monster) {
  return kMonsterNameTable + kMonsterNameLength * static_cast<FileOffset>(monster);
}
constexpr FileOffset MonsterGpOffset(int monster) {
  return kMonsterGpTable + 2 * static_cast<FileOffset>(monster);
}
constexpr FileOffset MonsterExperienceOffset(int monster) {
  return kMonsterExperienceTable + 2 * static_cast<FileOffset>(monster);
}
constexpr FileOffset MonsterGraphicOffset(int monster) {
  return kMonsterGraphicTable + kMonsterGraphicLength * static_cast<FileOffset>(monster);
}

// The 224 monsters: name, GP, experience, size, palette, graphic pointer. A
// character of the name without a byte leaves a space.
const Table& MonsterTable();

std::vector<std::string> MonsterNameList(const TextCodec& text, const RomFile& rom);

}  // namespace torvale
