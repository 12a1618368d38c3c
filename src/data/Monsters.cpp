#include "data/Monsters.h"

#include "text/TextCodec.h"

namespace torvale {

const Table& MonsterTable() {
  static constexpr Field kFields[] = {
      {"NameTXT", "Name", MonsterNameOffset, 0, kMonsterNameLength, Encoding::kBlankedText, 0, 0},
      {"GPTXT", "GP", MonsterGpOffset, 0, 2, Encoding::kWord, 0, 65535},
      {"EXPTXT", "Experience", MonsterExperienceOffset, 0, 2, Encoding::kWord, 0, 65535},
      {"SizeTXT", "Size", MonsterGraphicOffset, 0, 1, Encoding::kByte, 0, 255},
      {"PaletteCBO", "Palette", MonsterGraphicOffset, 1, 1, Encoding::kByte, 0, 255,
       ListId::kMonsterPalettes},
      {"GFXPointerTXT", "Graphic Pointer", MonsterGraphicOffset, 2, 2, Encoding::kWord, 0, 65535},
  };
  static constexpr Table kTable{"Monsters", kMonsterCount, ListId::kMonsterNames, kFields};
  return kTable;
}

std::vector<std::string> MonsterNameList(const TextCodec& text, const RomFile& rom) {
  return text.ReadTexts(rom, MonsterNameOffset(0), kMonsterNameLength, kMonsterNameLength,
                        kMonsterCount);
}

}  // namespace torvale
