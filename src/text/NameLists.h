#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rom/RomFile.h"
#include "text/TextCodec.h"

namespace torvale {

// Item-name table: 256 records of an icon byte and an 8-byte name.
inline constexpr FileOffset kItemNameTable = 0x78200;
inline constexpr int kItemCount = 256;
inline constexpr FileOffset kItemNameRecordLength = 9;
inline constexpr std::uint16_t kItemNameLength = 8;

// Spell-name table, right after it: 72 records of an icon byte and a 5-byte name.
inline constexpr FileOffset kSpellNameTable = 0x78B00;
inline constexpr int kSpellCount = 72;
inline constexpr FileOffset kSpellNameRecordLength = 6;
inline constexpr std::uint16_t kSpellNameLength = 5;

constexpr FileOffset ItemIconOffset(int item) {
  return kItemNameTable + kItemNameRecordLength * static_cast<FileOffset>(item);
}
constexpr FileOffset ItemNameOffset(int item) {
  return ItemIconOffset(item) + 1;
}
constexpr FileOffset SpellIconOffset(int spell) {
  return kSpellNameTable + kSpellNameRecordLength * static_cast<FileOffset>(spell);
}
constexpr FileOffset SpellNameOffset(int spell) {
  return SpellIconOffset(spell) + 1;
}

// What an item list offers besides the 256 names, list position = item number.
enum class ItemListEnd {
  kNamesOnly,     // the 256 names
  kEmptyLast,     // "[Empty]" in place of item 255's name: byte 0xFF means no item
  kNothingAfter,  // the 256 names, then "[-Nothing-]" as entry 256
};

inline constexpr std::string_view kEmptyEntry = "[Empty]";
inline constexpr std::string_view kNothingEntry = "[-Nothing-]";

// Every window that offers a choice of item builds its list here.
std::vector<std::string> ItemNameList(const TextCodec& codec, const RomFile& rom,
                                      ItemListEnd end = ItemListEnd::kNamesOnly);
std::vector<std::string> SpellNameList(const TextCodec& codec, const RomFile& rom);

// The 256 icon entries: entry k names icon byte k.
const std::array<std::string_view, 256>& IconEntries();

}  // namespace torvale
