#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/items.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(StatBonus, EachCodeNamesItsFiveValues) {
  const std::pair<int, std::string> cases[] = {
      {0, "0 | 0 | 0 | 0 | 0   "},
      {12, "+5 | -5 | -5 | -5 | -5   "},
      {128, "0 | 0 | 0 | 0 | +3   "},
      {0x8D, "+10 | -10 | -10 | -10 | +10   "},
      {0x85, "-10 | -10 | -10 | -10 | +10   "},
      {0xFF, "+5 | +5 | +5 | +5 | +5   "},
      {0x7B, "+15 | +15 | +15 | +15 | 0   "},
      {0x17, "-10 | +5 | -10 | -10 | -10   "},
  };
  for (const auto& [code, text] : cases) {
    EXPECT_EQ(StatBonusText(static_cast<std::uint8_t>(code)), text) << code;
  }
  // Over every code: a column shows the chosen amount exactly when its bit is set.
  const int chosenAmount[] = {3, 5, 10, 15, 5, 10, 15, 5};
  for (int code = 0; code < 256; ++code) {
    const std::string text = StatBonusText(static_cast<std::uint8_t>(code));
    ASSERT_EQ(text.substr(text.size() - 3), "   ");
    std::size_t start = 0;
    for (int bit = 3; bit <= 7; ++bit) {
      const std::size_t end = text.find(" | ", start);
      const std::string column =
          text.substr(start, end == std::string::npos ? text.size() - 3 - start : end - start);
      const bool chosen = (code >> bit) & 1;
      if (chosen) {
        EXPECT_EQ(column, "+" + std::to_string(chosenAmount[code & 7])) << code;
      }
      start = end + 3;
    }
  }
}

TEST(EquipClass, KnownClassesThenUnknown) {
  EXPECT_EQ(EquipClassText(0), "Everyone");
  EXPECT_EQ(EquipClassText(115), "None");
  EXPECT_EQ(EquipClassText(116), "Unknown/Undocumented");
  EXPECT_EQ(EquipClassText(200), "Unknown/Undocumented");
}

TEST(ItemRecord, WriteChangesExactlyTheEditedBytesInPlace) {
  testing::TempFolder folder;
  const Bytes original = romgen::BuildSampleRom();
  const std::filesystem::path path = testing::WriteRom(folder, original);
  const TextCodec codec(testing::WriteRom(folder, Bytes{0}, "FF2us.tbl"), [] {});
  RomFile rom;
  rom.Open(path);
  for (const int item : {0, 17, 175, 176, 255}) {
    Item values = ReadItem(codec, rom, item);
    values.icon = 0x2D;
    values.priceByte = 0x81;
    values.magicBlock = 1;
    values.attackDefense = 2;
    values.attackDefensePercent = 3;
    values.equipClass = 4;
    values.statBonus = 5;
    values.name = "Ab";
    WriteItem(codec, rom, item, values);
    Bytes expected = Patched(original, 0x78200 + 9 * item,
                             {0x2D, 0x42, 0x5D, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    expected = Patched(expected, 0x7A650 + item, {0x81});
    expected = Patched(expected, 0x79300 + 8 * item, {1, 2, 3});
    expected = Patched(expected, 0x79300 + 8 * item + 6, {4, 5});
    EXPECT_EQ(DescribeDifferences(expected, testing::ReadFileBytes(path)), "") << item;
    const Item reread = ReadItem(codec, rom, item);
    EXPECT_EQ(reread.priceByte, 0x81);
    EXPECT_EQ(reread.name, "Ab      ");
    rom.Close();
    testing::WriteRom(folder, original);
    rom.Open(path);
  }
}

}  // namespace
}  // namespace torvale
