#include "data/Party.h"

#include <cstdint>

#include "data/Encodings.h"
#include "text/TextCodec.h"

namespace torvale {

const Table& CharacterTable() {
  static constexpr Field kFields[] = {
      {"LevelTXT", "Level", CharacterRecordOffset, 0x02, 1, Encoding::kByte, 0, 255},
      // The HP pair, the MP pair and the five stats lie side by side and go in
      // one write, so that a refused write leaves all of them as they were.
      {"HPTXT", "HP", CharacterRecordOffset, 0x07, 4, Encoding::kWordPairShowingSecond, 0, 65535},
      {"MPTXT", "MP", CharacterRecordOffset, 0x0B, 4, Encoding::kWordPairShowingFirst, 0, 65535},
      {"STRTXT", "Strength", CharacterRecordOffset, 0x0F, 1, Encoding::kByte, 0, 255},
      {"AGITXT", "Agility", CharacterRecordOffset, 0x10, 1, Encoding::kByte, 0, 255},
      {"VITTXT", "Vitality", CharacterRecordOffset, 0x11, 1, Encoding::kByte, 0, 255},
      {"WISTXT", "Wisdom", CharacterRecordOffset, 0x12, 1, Encoding::kByte, 0, 255},
      {"WillTXT", "Will", CharacterRecordOffset, 0x13, 1, Encoding::kByte, 0, 255},
      {"NameTXT", "Name", CharacterNameOffset, 0, kCharacterNameLength, Encoding::kText, 0, 0},
      {"HandLST", "Hand", CharacterRecordOffset, 0x00, 1, Encoding::kHand, 0, 2, ListId::kHands},
      {"NameIndexTXT", "Name Index", CharacterRecordOffset, 0x00, 1, Encoding::kNameIndex,
       kMinimumNameIndex, 255},
      {"SpecialBitTXT", "Special Bit", CharacterRecordOffset, 0x01, 1, Encoding::kByte, 0, 255},
      {"EXPTXT", "Experience", CharacterRecordOffset, 0x17, 4, Encoding::kLong, INT32_MIN,
       INT32_MAX, ListId::kNone, Access::kShown},
  };
  static constexpr Table kTable{"Characters", kCharacterSlotCount, ListId::kCharacterNames,
                                kFields};
  return kTable;
}

const Table& EquipmentTable() {
  static constexpr Field kFields[] = {
      {"HeadCBO", "Head", EquipmentRecordOffset, 0, 1, Encoding::kByte, 0, 255, ListId::kItemNames},
      {"BodyCBO", "Body", EquipmentRecordOffset, 1, 1, Encoding::kByte, 0, 255, ListId::kItemNames},
      {"ArmsCBO", "Arms", EquipmentRecordOffset, 2, 1, Encoding::kByte, 0, 255, ListId::kItemNames},
      {"RHCBO", "Right Hand", EquipmentRecordOffset, 3, 1, Encoding::kByte, 0, 255,
       ListId::kItemNames},
      {"RHAMTTXT", "Right Hand Amount", EquipmentRecordOffset, 4, 1, Encoding::kByte, 0, 255},
      {"LHCBO", "Left Hand", EquipmentRecordOffset, 5, 1, Encoding::kByte, 0, 255,
       ListId::kItemNames},
      {"LHAMTTXT", "Left Hand Amount", EquipmentRecordOffset, 6, 1, Encoding::kByte, 0, 255},
  };
  static constexpr Table kTable{"Starting Equipment", kEquipmentSlotCount, ListId::kEquipmentSlots,
                                kFields};
  return kTable;
}

std::vector<std::string> CharacterNameList(const TextCodec& text, const RomFile& rom) {
  std::vector<std::string> names;
  for (int slot = 0; slot < kCharacterSlotCount; ++slot) {
    names.push_back(text.ReadText(rom, CharacterNameOffset(slot), kCharacterNameLength));
  }
  return names;
}

}  // namespace torvale
