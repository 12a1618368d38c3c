#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rom/RomFile.h"
#include "text/NameLists.h"
#include "text/TextCodec.h"

namespace torvale {

// Item records (8 bytes; the editor touches bytes 0, 1, 2, 6 and 7) and price bytes.
inline constexpr FileOffset kItemRecordTable = 0x79300;
inline constexpr FileOffset kItemRecordLength = 8;
inline constexpr FileOffset kItemPriceTable = 0x7A650;
// Items after this one have no editable record or price.
inline constexpr int kLastEquipmentItem = 175;
inline constexpr int kKnownEquipClassCount = 116;
inline constexpr int kStatBonusEntryCount = 257;  // the 256 codes and "[N/A]"

constexpr FileOffset ItemRecordOffset(int item) {
  return kItemRecordTable + kItemRecordLength * static_cast<FileOffset>(item);
}
constexpr FileOffset ItemPriceOffset(int item) {
  return kItemPriceTable + static_cast<FileOffset>(item);
}

// What the item editor shows of one item.
struct Item {
  std::uint8_t icon = 0;
  std::string name;
  std::uint8_t priceByte = 0;
  std::uint8_t magicBlock = 0;  // record byte 0
  std::uint8_t attackDefense = 0;
  std::uint8_t attackDefensePercent = 0;
  std::uint8_t equipClass = 0;  // record byte 6
  std::uint8_t statBonus = 0;   // record byte 7
};

Item ReadItem(const TextCodec& codec, const RomFile& rom, int item);
// Writes, in this order: icon, price byte, record bytes 0, 1, 2, 6, 7, name.
void WriteItem(const TextCodec& codec, RomFile& rom, int item, const Item& values);

// "Will | Wisdom | Vitality | Agility | Strength" values of a stat bonus code.
std::string StatBonusText(std::uint8_t code);
// Who can equip an item of this class.
std::string_view EquipClassText(int equipClass);

// Lists the item editor shows without binding them to the ROM.
const std::array<std::string_view, 78>& SpellCastEntries();
const std::array<std::string_view, 32>& ElementPart1Entries();
const std::array<std::string_view, 32>& ElementPart2Entries();

}  // namespace torvale
