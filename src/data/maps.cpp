#include "data/maps.h"

namespace torvale {
namespace {

constexpr std::size_t kMapNameIndexField = 2;
constexpr std::size_t kMapIndexField = 5;

constexpr std::array<std::string_view, 69> kMapMusic = {
    "Nothing",
    "Final Fantasy Theme (Leaving Baron)",
    "Tower of Wishes",
    "Dummy Fanfare",
    "Yellow Chocobo",
    "Black Chocobo",
    "Underworld",
    "Zeromus' Theme",
    "Victory Fanfare",
    "Town",
    "Rydia's Theme",
    "Elements Battle Music",
    "Mt. Ordeals/Hobs Theme",
    "Overworld",
    "Big Whale",
    "Sad Music (Ex: Someone died)",
    "Tent\\Cabin",
    "Golbez's Theme",
    "Sorrow (Gilbert's Harp)",
    "Rosa's Theme",
    "Baron Castle",
    "Title Screen (Crystal Room)",
    "Suspicions",
    "Tower of Zot",
    "Airship",
    "Tower of Babil",
    "Boss Battle Music",
    "Giant of Babil",
    "Cave of Summoned Monsters",
    "Destruction (Ex: Dwarf Cannon)",
    "Lunar Path",
    "Suprise! (Ex: Lost the Crystal)",
    "Dwarf Castle",
    "The Twin's Theme",
    "The Doll's Theme",
    "Hurry!",
    "Cid's Theme",
    "Cave Music",
    "Dancing Music",
    "Battle Music",
    "Castle Eblan",
    "Character Joined",
    "Character Died",
    "Chocobo Forest",
    "Opening Theme",
    "Sad (Cain's Deception)",
    "Fabul Castle",
    "Became a Paladin",
    "Lard Ass Chocobo",
    "Moon Surface",
    "Toroia",
    "Mysidia",
    "Lunar Subterrane",
    "Ending Part 1",
    "Ending Part 2",
    "Ending Part 3",
    "Nothing",
    "Nothing",
    "Nothing",
    "Nothing",
    "Nothing",
    "Nothing",
    "Airship Noise",
    "Ship Horn",
    "Unknown",
    "Unknown",
    "Destruction SFX (Ex: Digging with Falcon)",
    "Falling",
    "Waves",
};

}  // namespace

MapProperties ReadMapProperties(const RomFile& rom, int map) {
  MapProperties fields{};
  rom.Read(MapPropertyOffset(map), fields);
  return fields;
}

void WriteMapProperties(RomFile& rom, int map, const MapProperties& fields) {
  for (std::size_t field = 0; field < fields.size(); ++field) {
    if (field == kMapNameIndexField || field == kMapIndexField) continue;
    rom.WriteByte(MapPropertyOffset(map) + static_cast<FileOffset>(field), fields[field]);
  }
}

std::string_view MapMusicText(std::uint8_t music) {
  if (music < kMapMusic.size()) return kMapMusic[music];
  return "Unknown/Undocumented/Glitch";
}

}  // namespace torvale
