#include "text/NameLists.h"

namespace torvale {
namespace {

constexpr std::array<std::string_view, 256> BuildIconEntries() {
  std::array<std::string_view, 256> entries{};
  entries.fill("[Letter/Number]");
  constexpr std::array<std::string_view, 25> kPictures = {
      "Claw",     "Rod",         "Staff",       "Dark Sword",  "Sword",  "Holy Sword", "Lance",
      "Knife",    "Katana",      "Shuriken",    "Boomerang",   "Axe",    "Wrench",     "Harp",
      "Bow",      "Arrow",       "Hammer",      "Whip",        "Shield", "Helmet",     "Armor",
      "Gauntlet", "Black Magic", "White Magic", "Summon Magic"};
  for (std::size_t i = 0; i < kPictures.size(); ++i) entries[0x29 + i] = kPictures[i];
  entries[0xFF] = "[Space]";
  return entries;
}

constexpr std::array<std::string_view, 256> kIconEntries = BuildIconEntries();

}  // namespace

std::vector<std::string> ItemNameList(const TextCodec& codec, const RomFile& rom, ItemListEnd end) {
  std::vector<std::string> names =
      codec.ReadTexts(rom, ItemNameOffset(0), kItemNameRecordLength, kItemNameLength, kItemCount);
  if (end == ItemListEnd::kEmptyLast) names.back() = kEmptyEntry;
  if (end == ItemListEnd::kNothingAfter) names.emplace_back(kNothingEntry);
  return names;
}

std::vector<std::string> SpellNameList(const TextCodec& codec, const RomFile& rom) {
  return codec.ReadTexts(rom, SpellNameOffset(0), kSpellNameRecordLength, kSpellNameLength,
                         kSpellCount);
}

const std::array<std::string_view, 256>& IconEntries() {
  return kIconEntries;
}

}  // namespace torvale
