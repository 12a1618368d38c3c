#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

// Items won: 64 entries of four item numbers, the first stolen with Steal.
inline constexpr FileOffset kItemsWonTable = 0x72100;
inline constexpr int kItemsWonCount = 64;
// Monster attack/defense: 224 entries of multiplier, percent and base.
inline constexpr FileOffset kAttackDefenseTable = 0x72580;
inline constexpr int kAttackDefenseCount = 224;
// Monster speed: 64 entries of low and high, right after it.
inline constexpr FileOffset kSpeedTable = 0x72820;
inline constexpr int kSpeedCount = 64;

constexpr FileOffset ItemsWonOffset(int slot) {
  return kItemsWonTable + 4 * static_cast<FileOffset>(slot);
}
constexpr FileOffset AttackDefenseOffset(int entry) {
  return kAttackDefenseTable + 3 * static_cast<FileOffset>(entry);
}
constexpr FileOffset SpeedOffset(int entry) {
  return kSpeedTable + 2 * static_cast<FileOffset>(entry);
}

const Table& ItemsWonTable();
const Table& AttackDefenseTable();
const Table& SpeedTable();

// The entries of a table listed by their own values: "2 - 50 - 10".
std::vector<std::string> EntryTexts(const Table& table, const RomFile& rom);

}  // namespace torvale
