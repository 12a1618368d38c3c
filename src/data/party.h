#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rom/RomFile.h"
#include "text/TextCodec.h"

namespace torvale {

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

inline constexpr int kMinimumNameIndex = -64;  // a byte 0 below 0x40 read as a left hand

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

// Record byte 0: the hand bits select the hand, the rest is the name index.
enum class Hand { kLeft = 0, kRight = 1, kBoth = 2 };
struct HandedIndex {
  Hand hand;
  int nameIndex;  // negative for a byte below 0x40
};
HandedIndex DecodeHand(std::uint8_t byte0);
// The byte for a hand and name index; nothing when the sum leaves 0-255.
std::optional<std::uint8_t> EncodeHand(Hand hand, int nameIndex);

struct Character {
  std::string name;
  std::uint8_t byte0 = 0;  // hand and name index
  std::uint8_t special = 0;
  std::uint8_t level = 0;
  std::uint16_t hp = 0;  // one value for both words of the pair
  std::uint16_t mp = 0;
  std::array<std::uint8_t, 5> stats{};  // Strength, Agility, Vitality, Wisdom, Will
  std::int32_t experience = 0;
};

// HP shows the second word of its pair, MP the first.
Character ReadCharacter(const TextCodec& codec, const RomFile& rom, int slot);
// Writes, in this order: level, both HP words, both MP words and the five
// stats (one run of 13 bytes), the name, byte 0, the special byte.
// Experience is never written.
void WriteCharacter(const TextCodec& codec, RomFile& rom, int slot, const Character& values);

// Head, body, arms, right-hand item, its amount, left-hand item, its amount.
using Equipment = std::array<std::uint8_t, 7>;
Equipment ReadEquipment(const RomFile& rom, int slot);
// One byte at a time, in record order.
void WriteEquipment(RomFile& rom, int slot, const Equipment& values);

inline constexpr std::array<std::string_view, 3> kHandEntries = {"L-Hand", "R-Hand", "L/R Both"};

}  // namespace torvale
