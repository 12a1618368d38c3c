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
  std::vector<std::string> names;
  names.reserve(kItemCount + 1);
  for (int item = 0; item < kItemCount; ++item) {
    names.push_back(codec.ReadText(rom, ItemNameOffset(item), kItemNameLength));
  }
  if (end == ItemListEnd::kEmptyLast) names.back() = kEmptyEntry;
  if (end == ItemListEnd::kNothingAfter) names.emplace_back(kNothingEntry);
  return names;
}

std::vector<std::string> SpellNameList(const TextCodec& codec, const RomFile& rom) {
  std::vector<std::string> names;
  names.reserve(kSpellCount);
  for (int spell = 0; spell < kSpellCount; ++spell) {
    names.push_back(codec.ReadText(rom, SpellNameOffset(spell), kSpellNameLength));
  }
  return names;
}

const std::array<std::string_view, 256>& IconEntries() {
  return kIconEntries;
}

}  // namespace torvale
