#include "data/Monsters.h"

#include "text/TextCodec.h"

namespace torvale {

const Table& MonsterTable() {
  static constexpr Field kFields[] = {
      {.name = "NameTXT",
       .label = "Name",
       .part = MonsterNameOffset,
       .within = 0,
       .width = kMonsterNameLength,
       .encoding = Encoding::kBlankedText},
      {.name = "GPTXT",
       .label = "GP",
       .part = MonsterGpOffset,
       .within = 0,
       .width = 2,
       .encoding = Encoding::kWord,
       .maximum = 65535},
      {.name = "EXPTXT",
       .label = "Experience",
       .part = MonsterExperienceOffset,
       .within = 0,
       .width = 2,
       .encoding = Encoding::kWord,
       .maximum = 65535},
      {.name = "SizeTXT",
       .label = "Size",
       .part = MonsterGraphicOffset,
       .within = 0,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255},
      {.name = "PaletteCBO",
       .label = "Palette",
       .part = MonsterGraphicOffset,
       .within = 1,
       .width = 1,
       .encoding = Encoding::kByte,
       .maximum = 255,
       .list = ListId::kMonsterPalettes},
      {.name = "GFXPointerTXT",
       .label = "Graphic Pointer",
       .part = MonsterGraphicOffset,
       .within = 2,
       .width = 2,
       .encoding = Encoding::kWord,
       .maximum = 65535},
  };
  static constexpr Table kTable{"Monsters", kMonsterCount, ListId::kMonsterNames, kFields};
  return kTable;
}

std::vector<std::string> MonsterNameList(const TextCodec& text, const RomFile& rom) {
  return text.ReadTexts(rom, MonsterNameOffset(0), kMonsterNameLength, kMonsterNameLength,
                        kMonsterCount);
}

}  // namespace torvale
