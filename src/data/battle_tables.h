#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

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

using ItemsWon = std::array<std::uint8_t, 4>;
using AttackDefense = std::array<std::uint8_t, 3>;
using Speed = std::array<std::uint8_t, 2>;

ItemsWon ReadItemsWon(const RomFile& rom, int slot);
AttackDefense ReadAttackDefense(const RomFile& rom, int entry);
Speed ReadSpeed(const RomFile& rom, int entry);
// Each writes its entry one byte at a time, in field order.
void WriteItemsWon(RomFile& rom, int slot, const ItemsWon& items);
void WriteAttackDefense(RomFile& rom, int entry, const AttackDefense& values);
void WriteSpeed(RomFile& rom, int entry, const Speed& values);

// An entry listed by its own values: "2 - 50 - 10".
std::string EntryText(std::span<const std::uint8_t> values);

}  // namespace torvale
