#include "data/Lists.h"

#include <array>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string_view>

#include "data/BattleTables.h"
#include "data/Encodings.h"
#include "data/Items.h"
#include "data/Magic.h"
#include "data/Maps.h"
#include "data/Monsters.h"
#include "data/Music.h"
#include "data/Party.h"
#include "data/Shops.h"
#include "data/TextList.h"
#include "data/Treasure.h"
#include "text/NameLists.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

// prefix + n for `count` numbers from `first`: "Map #0", "Map #1", ...
std::vector<std::string> Numbered(std::string_view prefix, int first, int count) {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(count) + 1);
  for (int n = first; n < first + count; ++n)
    entries.push_back(std::string(prefix) + std::to_string(n));
  return entries;
}

template <typename Texts>
std::vector<std::string> Copied(const Texts& texts) {
  return {texts.begin(), texts.end()};
}

std::vector<std::string> EquipmentSlots() {
  std::vector<std::string> entries;
  for (int slot = 1; slot <= kEquipmentSlotCount; ++slot) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "Character Slot %02d", slot);
    entries.emplace_back(entry);
  }
  return entries;
}

std::vector<std::string> ChestOffsetEntries() {
  std::vector<std::string> entries;
  for (const FileOffset offset : ChestOffsets()) {
    char entry[16];
    std::snprintf(entry, sizeof entry, "%X", static_cast<unsigned>(offset));
    entries.emplace_back(entry);
  }
  return entries;
}

std::vector<std::string> Formations() {
  std::vector<std::string> entries = Numbered("Monster Formation #", 0, kFormationCount);
  entries.emplace_back(kNothingEntry);
  return entries;
}

std::vector<std::string> BuildFixedEntries(ListId list) {
  switch (list) {
    case ListId::kIcons:
      return Copied(IconEntries());
    case ListId::kStatBonuses:
      return StatBonusEntries();
    case ListId::kEquipClasses:
      return EquipClassEntries();
    case ListId::kSpellEffects:
      return SpellEffectEntries();
    case ListId::kHands:
      return Copied(kHandEntries);
    case ListId::kMapMusic:
      return MapMusicEntries();
    case ListId::kSongs:
      return Copied(SongNames());
    case ListId::kFormations:
      return Formations();
    case ListId::kMonsterPalettes:
      return Numbered("Monster Pallete: #", 0, 256);
    case ListId::kTreasureIndexes:
      return Numbered("Treasure Index #", 0, 256);
    case ListId::kMapLayouts:
      return Numbered("Map Layout #", 0, 256);
    case ListId::kMapTilesets:
      return Numbered("Map Tileset #", 0, 256);
    case ListId::kBackgrounds:
      return Numbered("Background GFX #", 0, 256);
    case ListId::kMapPalettes:
      return Numbered("Map Palette #", 0, 256);
    case ListId::kNpcPalettes:
      return Numbered("NPC Palette #", 0, 256);
    case ListId::kLayouts:
      return Numbered("Layout #", 0, 256);
    case ListId::kMaps:
      return Numbered("Map #", 0, kMapCount);
    case ListId::kShops:
      return Numbered("Shop #", 1, kShopCount);
    case ListId::kItemsWonSlots:
      return Numbered("Slot #", 1, kItemsWonCount);
    case ListId::kEquipmentSlots:
      return EquipmentSlots();
    case ListId::kChestOffsets:
      return ChestOffsetEntries();
    case ListId::kChestKinds:
      return {"GP", "Item", "Guarded Item"};
    case ListId::kMagicIcons:
      return {"Black Magic", "White Magic", "Summon Magic", "Other"};
    default:
      throw std::invalid_argument("the list is read from the ROM");
  }
}

std::vector<std::string> TextEntries(const TextCodec& text, const RomFile& rom) {
  return text.ReadTexts(rom, TextEntryOffset(0), kTextEntryLength, kTextEntryLength,
                        kTextEntryCount);
}

}  // namespace

bool ReadsRom(ListId list) {
  return list >= ListId::kItemNames && list <= ListId::kSpeedEntries;
}

bool IsNameList(ListId list) {
  return ReadsRom(list) && list != ListId::kAttackDefenseEntries && list != ListId::kSpeedEntries;
}

const std::vector<std::string>& FixedEntries(ListId list) {
  static std::map<ListId, std::vector<std::string>> built;
  auto found = built.find(list);
  if (found == built.end()) found = built.emplace(list, BuildFixedEntries(list)).first;
  return found->second;
}

std::vector<std::string> ReadEntries(ListId list, const TextCodec& text, const RomFile& rom) {
  switch (list) {
    case ListId::kItemNames:
      return ItemNameList(text, rom, ItemListEnd::kNamesOnly);
    case ListId::kItemNamesEmptyLast:
      return ItemNameList(text, rom, ItemListEnd::kEmptyLast);
    case ListId::kItemNamesNothingAfter:
      return ItemNameList(text, rom, ItemListEnd::kNothingAfter);
    case ListId::kSpellNames:
      return SpellNameList(text, rom);
    case ListId::kCharacterNames:
      return CharacterNameList(text, rom);
    case ListId::kMonsterNames:
      return MonsterNameList(text, rom);
    case ListId::kTextEntries:
      return TextEntries(text, rom);
    case ListId::kAttackDefenseEntries:
      return EntryTexts(AttackDefenseTable(), rom);
    case ListId::kSpeedEntries:
      return EntryTexts(SpeedTable(), rom);
    default:
      return FixedEntries(list);
  }
}

int ValueCount(ListId list) {
  switch (list) {
    case ListId::kNone:
      return 0;
    case ListId::kItemNames:
    case ListId::kItemNamesEmptyLast:
    case ListId::kItemNamesNothingAfter:
      return kItemCount;
    case ListId::kSpellNames:
      return kSpellCount;
    case ListId::kCharacterNames:
      return kCharacterSlotCount;
    case ListId::kMonsterNames:
      return kMonsterCount;
    case ListId::kTextEntries:
      return kTextEntryCount;
    case ListId::kAttackDefenseEntries:
      return kAttackDefenseCount;
    case ListId::kSpeedEntries:
      return kSpeedCount;
    case ListId::kStatBonuses:
      return 256;
    case ListId::kFormations:
      return kFormationCount;
    default:
      return static_cast<int>(FixedEntries(list).size());
  }
}

}  // namespace torvale
