#include "data/battle_tables.h"

namespace torvale {
namespace {

template <std::size_t N>
std::array<std::uint8_t, N> ReadEntry(const RomFile& rom, FileOffset table, int entry) {
  std::array<std::uint8_t, N> values{};
  rom.Read(table + N * static_cast<FileOffset>(entry), values);
  return values;
}

template <std::size_t N>
void WriteEntry(RomFile& rom, FileOffset table, int entry,
                const std::array<std::uint8_t, N>& values) {
  for (std::size_t field = 0; field < N; ++field) {
    rom.WriteByte(table + N * static_cast<FileOffset>(entry) + static_cast<FileOffset>(field),
                  values[field]);
  }
}

}  // namespace

ItemsWon ReadItemsWon(const RomFile& rom, int slot) {
  return ReadEntry<4>(rom, kItemsWonTable, slot);
}
AttackDefense ReadAttackDefense(const RomFile& rom, int entry) {
  return ReadEntry<3>(rom, kAttackDefenseTable, entry);
}
Speed ReadSpeed(const RomFile& rom, int entry) {
  return ReadEntry<2>(rom, kSpeedTable, entry);
}

void WriteItemsWon(RomFile& rom, int slot, const ItemsWon& items) {
  WriteEntry(rom, kItemsWonTable, slot, items);
}
void WriteAttackDefense(RomFile& rom, int entry, const AttackDefense& values) {
  WriteEntry(rom, kAttackDefenseTable, entry, values);
}
void WriteSpeed(RomFile& rom, int entry, const Speed& values) {
  WriteEntry(rom, kSpeedTable, entry, values);
}

std::string EntryText(std::span<const std::uint8_t> values) {
  std::string text;
  for (std::size_t field = 0; field < values.size(); ++field) {
    if (field > 0) text += " - ";
    text += std::to_string(values[field]);
  }
  return text;
}

}  // namespace torvale
