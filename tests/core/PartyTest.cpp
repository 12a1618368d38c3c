#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/party.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(HandEncoding, EveryByteDecodesAndEncodesBackToItself) {
  for (int byte = 0; byte < 256; ++byte) {
    const HandedIndex decoded = DecodeHand(static_cast<std::uint8_t>(byte));
    const int expectedHand = byte < 0x80 ? 0 : byte < 0xC0 ? 1 : 2;
    EXPECT_EQ(static_cast<int>(decoded.hand), expectedHand) << byte;
    EXPECT_EQ(decoded.nameIndex, byte - (0x40 + 0x40 * expectedHand)) << byte;
    EXPECT_EQ(EncodeHand(decoded.hand, decoded.nameIndex), byte) << byte;
  }
  EXPECT_EQ(DecodeHand(0x05).nameIndex, -59);
  EXPECT_EQ(EncodeHand(Hand::kRight, 200), std::nullopt);
  EXPECT_EQ(EncodeHand(Hand::kLeft, -65), std::nullopt);
  EXPECT_EQ(EncodeHand(Hand::kBoth, 63), 0xFF);
}

TEST(SlotNames, SlotNineSharesTheFirstNameEntry) {
  const std::pair<int, FileOffset> cases[] = {
      {0, 0x7A910}, {8, 0x7A940}, {9, 0x7A910}, {10, 0x7A946}, {14, 0x7A95E}};
  for (const auto& [slot, offset] : cases) EXPECT_EQ(CharacterNameOffset(slot), offset) << slot;
}

class PartyTest : public ::testing::Test {
 protected:
  void Open(const Bytes& image) {
    rom.Close();
    original = image;
    rom.Open(testing::WriteRom(folder, image));
  }
  Bytes File() const { return testing::ReadFileBytes(folder.File("test.smc")); }

  testing::TempFolder folder;
  TextCodec codec{testing::WriteRom(folder, Bytes{0}, "FF2us.tbl"), [] {}};
  Bytes original;
  RomFile rom;
};

TEST_F(PartyTest, CharacterRecordReadsItsWordPairsAndWritesBothWords) {
  const FileOffset record = 0x7AB00 + 32 * 3;
  Bytes image =
      Patched(romgen::BuildSampleRom(), record,
              {0x85, 0x11, 0x22, 0xA0, 0xA1, 0xA2, 0xA3, 0x34, 0x12, 0xFF, 0xFF, 0x10, 0x00, 0x20,
               0x00, 1,    2,    3,    4,    5,    0xB0, 0xB1, 0xB2, 0x00, 0x00, 0x00, 0x80});
  Open(image);
  Character values = ReadCharacter(codec, rom, 3);
  EXPECT_EQ(values.byte0, 0x85);
  EXPECT_EQ(values.special, 0x11);
  EXPECT_EQ(values.level, 0x22);
  EXPECT_EQ(values.hp, 0xFFFF);  // the second word
  EXPECT_EQ(values.mp, 0x0010);  // the first word
  EXPECT_EQ(values.stats, (std::array<std::uint8_t, 5>{1, 2, 3, 4, 5}));
  EXPECT_EQ(values.experience, std::numeric_limits<std::int32_t>::min());
  values.special = 0x99;
  values.name = "Kain";
  WriteCharacter(codec, rom, 3, values);
  Bytes expected = Patched(original, record, {0x85, 0x99});
  expected = Patched(expected, record + 7, {0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x00, 0x10, 0x00});
  expected = Patched(expected, 0x7A910 + 6 * 3, romgen::EncodeGameText("Kain", 6));
  EXPECT_EQ(DescribeDifferences(expected, File()), "");
}

TEST_F(PartyTest, EquipmentOfTheLastSlotEndsAtTheTablesEnd) {
  Open(romgen::BuildSampleRom());
  const Equipment values = {1, 2, 3, 4, 5, 6, 7};
  WriteEquipment(rom, 21, values);
  EXPECT_EQ(DescribeDifferences(Patched(original, 0x7AD93, {1, 2, 3, 4, 5, 6, 7}), File()), "");
  EXPECT_EQ(ReadEquipment(rom, 21), values);
}

}  // namespace
}  // namespace torvale
