#pragma once

#include <cstdint>
#include <string>

#include "rom/RomFile.h"
#include "text/TextCodec.h"

namespace torvale {

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

struct Monster {
  std::string name;
  std::uint16_t gp = 0;
  std::uint16_t experience = 0;
  std::uint8_t size = 0;
  std::uint8_t palette = 0;
  std::uint16_t graphicPointer = 0;
};

Monster ReadMonster(const TextCodec& codec, const RomFile& rom, int monster);
// Writes, in this order: the name (a character without a code leaves a
// space), GP, experience, size, palette, graphic pointer.
void WriteMonster(const TextCodec& codec, RomFile& rom, int monster, const Monster& values);

}  // namespace torvale
