#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"
#include "rom/RomFile.h"

namespace torvale {

// Item records (8 bytes; the editor touches bytes 0, 1, 2, 6 and 7) and price bytes.
inline constexpr FileOffset kItemRecordTable = 0x79300;
inline constexpr FileOffset kItemRecordLength = 8;
inline constexpr FileOffset kItemPriceTable = 0x7A650;
// Items from this one on have no item record.
inline constexpr int kItemRecordCount = 176;
inline constexpr int kKnownEquipClassCount = 116;

constexpr FileOffset ItemRecordOffset(int item) {
  return kItemRecordTable + kItemRecordLength * static_cast<FileOffset>(item);
}
constexpr FileOffset ItemPriceOffset(int item) {
  return kItemPriceTable + static_cast<FileOffset>(item);
}

// The 256 items: icon, price, the item record's bytes 0, 1, 2, 6 and 7, name.
const Table& ItemTable();

// "Will | Wisdom | Vitality | Agility | Strength" values of a stat bonus code.
std::string StatBonusText(std::uint8_t code);
// Who can equip an item of this class.
std::string_view EquipClassText(int equipClass);

// The entries of the stat bonus list: code n, then "[N/A]".
std::vector<std::string> StatBonusEntries();
std::vector<std::string> EquipClassEntries();

// Lists the item editor shows without binding them to the ROM.
const std::array<std::string_view, 78>& SpellCastEntries();
const std::array<std::string_view, 32>& ElementPart1Entries();
const std::array<std::string_view, 32>& ElementPart2Entries();

}  // namespace torvale
