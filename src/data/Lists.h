#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rom/RomFile.h"

namespace torvale {

class TextCodec;

// The lists that show a field's value or name a table's records. Entry n of a
// list stands for the value n; a list may end with one more entry, a sentinel
// that stands for no value ("[-Nothing-]", "[N/A]").
enum class ListId : std::uint8_t {
  kNone,
  // Read from the open ROM.
  kItemNames,              // the 256 item names
  kItemNamesEmptyLast,     // the same, "[Empty]" in place of item 255's name
  kItemNamesNothingAfter,  // the same, then the sentinel "[-Nothing-]"
  kSpellNames,
  kCharacterNames,  // one per character slot
  kMonsterNames,
  kTextEntries,
  kAttackDefenseEntries,  // each entry's values, "2 - 50 - 10"
  kSpeedEntries,
  // The same for every ROM.
  kIcons,
  kStatBonuses,  // then the sentinel "[N/A]"
  kEquipClasses,
  kSpellEffects,
  kHands,
  kMapMusic,
  kSongs,
  kFormations,  // then the sentinel "[-Nothing-]"
  kMonsterPalettes,
  kTreasureIndexes,
  kMapLayouts,
  kMapTilesets,
  kBackgrounds,
  kMapPalettes,
  kNpcPalettes,
  kLayouts,
  kMaps,
  kShops,
  kItemsWonSlots,
  kEquipmentSlots,
  kChestOffsets,
  kChestKinds,
  kMagicIcons,
};

bool ReadsRom(ListId list);
// Whether the list holds names of the game: of items, spells, characters,
// monsters, or the short texts.
bool IsNameList(ListId list);
// The entries of a list the same for every ROM, built once.
const std::vector<std::string>& FixedEntries(ListId list);
// The entries of any list; one read from the ROM reads it now. Throws RomError.
std::vector<std::string> ReadEntries(ListId list, const TextCodec& text, const RomFile& rom);
// How many of the list's entries stand for values: all but its sentinel.
int ValueCount(ListId list);

}  // namespace torvale
