#include "data/maps.h"

#include "data/music.h"

namespace torvale {
namespace {

constexpr std::size_t kMapNameIndexField = 2;
constexpr std::size_t kMapIndexField = 5;

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
  if (music == kLostCrystalSong) return "Suprise! (Ex: Lost the Crystal)";
  if (music < kSongCount) return SongNames()[music];
  if (music < kSongCount + kSoundsAfterSongs.size()) return kSoundsAfterSongs[music - kSongCount];
  return "Unknown/Undocumented/Glitch";
}

}  // namespace torvale
