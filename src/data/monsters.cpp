#include "data/monsters.h"

#include "text/TextTable.h"

namespace torvale {
namespace {

constexpr FileOffset GpOffset(int monster) {
  return kMonsterGpTable + 2 * static_cast<FileOffset>(monster);
}
constexpr FileOffset ExperienceOffset(int monster) {
  return kMonsterExperienceTable + 2 * static_cast<FileOffset>(monster);
}
constexpr FileOffset GraphicOffset(int monster) {
  return kMonsterGraphicTable + kMonsterGraphicLength * static_cast<FileOffset>(monster);
}

}  // namespace

Monster ReadMonster(const TextCodec& codec, const RomFile& rom, int monster) {
  Monster values;
  values.name = codec.ReadText(rom, MonsterNameOffset(monster), kMonsterNameLength);
  values.size = rom.ReadByte(GraphicOffset(monster));
  values.palette = rom.ReadByte(GraphicOffset(monster) + 1);
  values.gp = rom.ReadWord(GpOffset(monster));
  values.experience = rom.ReadWord(ExperienceOffset(monster));
  values.graphicPointer = rom.ReadWord(GraphicOffset(monster) + 2);
  return values;
}

void WriteMonster(const TextCodec& codec, RomFile& rom, int monster, const Monster& values) {
  // The name reads as if written over eight spaces: a character without a
  // code leaves a space. It goes in as one write, so that it is never torn.
  std::string name = values.name;
  for (char& character : name) {
    if (!EncodeCharacter(character)) character = ' ';
  }
  codec.WriteText(rom, MonsterNameOffset(monster), name, kMonsterNameLength);
  rom.WriteWord(GpOffset(monster), values.gp);
  rom.WriteWord(ExperienceOffset(monster), values.experience);
  rom.WriteByte(GraphicOffset(monster), values.size);
  rom.WriteByte(GraphicOffset(monster) + 1, values.palette);
  rom.WriteWord(GraphicOffset(monster) + 2, values.graphicPointer);
}

}  // namespace torvale
