#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

class TextCodec;

// Character records: 15 slots of 32 bytes.
inline constexpr FileOffset kCharacterRecordTable = 0x7AB00;
inline constexpr FileOffset kCharacterRecordLength = 32;
inline constexpr int kCharacterSlotCount = 15;
// Character names: 14 entries of 6 bytes; slot 9 shares entry 0.
inline constexpr FileOffset kCharacterNameTable = 0x7A910;
inline constexpr std::uint16_t kCharacterNameLength = 6;
// Starting equipment: 22 slots of 7 bytes.
inline constexpr FileOffset kEquipmentTable = 0x7AD00;
inline constexpr FileOffset kEquipmentRecordLength = 7;
inline constexpr int kEquipmentSlotCount = 22;

constexpr FileOffset CharacterRecordOffset(int slot) {
  return kCharacterRecordTable + kCharacterRecordLength * static_cast<FileOffset>(slot);
}
constexpr FileOffset EquipmentRecordOffset(int slot) {
  return kEquipmentTable + kEquipmentRecordLength * static_cast<FileOffset>(slot);
}
// Slots 0-8 use their own name entry, slot 9 entry 0, slots 10-14 the entry before.
constexpr int NameEntryOfSlot(int slot) {
  return slot < 9 ? slot : slot == 9 ? 0 : slot - 1;
}
constexpr FileOffset CharacterNameOffset(int slot) {
  return kCharacterNameTable +
         kCharacterNameLength * static_cast<FileOffset>(NameEntryOfSlot(slot));
}

// The 15 character slots: level, both words of the HP and of the MP pair, the
// five stats, the name, the hand-and-index byte and the special byte; the
// experience is shown only.
const Table& CharacterTable();
// The starting equipment of 22 slots: head, body, arms, the right hand's item
// and amount, the left hand's item and amount.
const Table& EquipmentTable();

std::vector<std::string> CharacterNameList(const TextCodec& text, const RomFile& rom);

inline constexpr std::array<std::string_view, 3> kHandEntries = {"L-Hand", "R-Hand", "L/R Both"};

}  // namespace torvale
