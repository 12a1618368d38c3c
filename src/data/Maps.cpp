#include "data/Maps.h"

#include <array>

#include "data/Music.h"

namespace torvale {
namespace {

// The music byte of a map's property record.
constexpr FileOffset kMapMusicByte = 11;

// What the music byte plays past the songs: sounds and unused values.
constexpr std::array<std::string_view, 13> kSoundsAfterSongs = {
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
// The map properties list names this song differently from the song list.
constexpr int kLostCrystalSong = 31;

constexpr Field MapByte(std::string_view name, std::string_view label, FileOffset within,
                        ListId list = ListId::kNone, Access access = Access::kWritten) {
  return {.name = name,
          .label = label,
          .part = MapPropertyOffset,
          .within = within,
          .width = 1,
          .encoding = Encoding::kByte,
          .maximum = 255,
          .list = list,
          .access = access};
}

}  // namespace

const Table& MapPropertyTable() {
  static constexpr Field kFields[] = {
      MapByte("UnknownByte1TXT", "Unknown Byte 1", 0),
      MapByte("UnknownByte2TXT", "Unknown Byte 2", 1),
      MapByte("TreasureCBO", "Treasure Index", 3, ListId::kTreasureIndexes),
      MapByte("UnknownByte3TXT", "Unknown Byte 3", 4),
      MapByte("MapLayoutCBO", "Map Layout", 6, ListId::kMapLayouts),
      MapByte("MapTilesetCBO", "Map Tileset", 7, ListId::kMapTilesets),
      MapByte("BGGFXCBO", "Background GFX", 8, ListId::kBackgrounds),
      MapByte("MapPaletteCBO", "Map Palette", 9, ListId::kMapPalettes),
      MapByte("NPCPaletteCBO", "NPC Palette", 10, ListId::kNpcPalettes),
      MapByte("MusicCBO", "Music", kMapMusicByte, ListId::kMapMusic),
      MapByte("LayoutCBO", "Layout Index", 12, ListId::kLayouts),
      MapByte("MapNameIndexTXT", "Map Name Index", 2, ListId::kNone, Access::kShown),
      MapByte("MapIndexTXT", "Map Index", 5, ListId::kNone, Access::kShown),
  };
  static constexpr Table kTable{"Map Properties", kMapCount, ListId::kMaps, kFields};
  return kTable;
}

const Table& MapSongTable() {
  static constexpr Field kFields[] = {
      {.name = "SongLST",
       .label = "Song",
       .part = MapPropertyOffset,
       .within = kMapMusicByte,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = kSongCount - 1,
       .list = ListId::kSongs},
  };
  static constexpr Table kTable{"Songs", kMapCount, ListId::kMaps, kFields};
  return kTable;
}

std::string_view MapMusicText(std::uint8_t music) {
  if (music == kLostCrystalSong) return "Suprise! (Ex: Lost the Crystal)";
  if (music < kSongCount) return SongNames()[music];
  if (music < kSongCount + kSoundsAfterSongs.size()) return kSoundsAfterSongs[music - kSongCount];
  return "Unknown/Undocumented/Glitch";
}

std::vector<std::string> MapMusicEntries() {
  std::vector<std::string> entries;
  for (int music = 0; music < 256; ++music) {
    entries.emplace_back(MapMusicText(static_cast<std::uint8_t>(music)));
  }
  return entries;
}

}  // namespace torvale
