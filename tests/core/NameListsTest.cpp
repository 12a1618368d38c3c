#include <gtest/gtest.h>

#include "RomFixture.h"
#include "text/NameLists.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::Patched;

class NameListsTest : public ::testing::Test {
 protected:
  RomFile& Open(const Bytes& image) {
    rom.Open(testing::WriteRom(folder, image));
    return rom;
  }

  testing::TempFolder folder;
  std::filesystem::path table = testing::WriteRom(folder, Bytes{0}, "FF2us.tbl");
  TextCodec codec{table, [] {}};
  Bytes sample = romgen::BuildSampleRom();
  RomFile rom;
};

TEST_F(NameListsTest, FirstAndLastNamesComeFromTheEndsOfTheirTables) {
  Bytes image = Patched(sample, 0x78201, romgen::EncodeGameText("First", 8));
  image = Patched(image, 0x78AF8, romgen::EncodeGameText("Last one", 8));
  image = Patched(image, 0x78B01, romgen::EncodeGameText("Opens", 5));
  image = Patched(image, 0x78CAB, romgen::EncodeGameText("Ends", 5));
  Open(image);
  const std::vector<std::string> items = ItemNameList(codec, rom);
  ASSERT_EQ(items.size(), 256u);
  EXPECT_EQ(items.front(), "First   ");
  EXPECT_EQ(items.back(), "Last one");
  const std::vector<std::string> spells = SpellNameList(codec, rom);
  ASSERT_EQ(spells.size(), 72u);
  EXPECT_EQ(spells.front(), "Opens");
  EXPECT_EQ(spells.back(), "Ends ");
}

TEST_F(NameListsTest, NamesKeepTheirPlacesWhateverTheyHold) {
  Open(sample);
  const std::vector<std::string> items = ItemNameList(codec, rom);
  EXPECT_EQ(items[romgen::kBlankNameItem], "        ");
  EXPECT_NE(items[romgen::kDoubleDotNameItem].find(".."), std::string::npos);
  EXPECT_EQ(items[romgen::kUnmappedByteNameItem].size(), 7u);
}

TEST_F(NameListsTest, VariantsChangeOnlyTheEnd) {
  Open(sample);
  const std::vector<std::string> plain = ItemNameList(codec, rom);
  const std::vector<std::string> empty = ItemNameList(codec, rom, ItemListEnd::kEmptyLast);
  const std::vector<std::string> nothing = ItemNameList(codec, rom, ItemListEnd::kNothingAfter);
  ASSERT_EQ(empty.size(), 256u);
  ASSERT_EQ(nothing.size(), 257u);
  EXPECT_EQ(empty.back(), "[Empty]");
  EXPECT_EQ(nothing.back(), "[-Nothing-]");
  EXPECT_EQ(std::vector<std::string>(empty.begin(), empty.end() - 1),
            std::vector<std::string>(plain.begin(), plain.end() - 1));
  EXPECT_EQ(std::vector<std::string>(nothing.begin(), nothing.end() - 1), plain);
}

TEST(IconEntries, NameEveryIconByte) {
  const auto& icons = IconEntries();
  const std::pair<int, std::string_view> cases[] = {
      {0x00, "[Letter/Number]"}, {0x28, "[Letter/Number]"}, {0x29, "Claw"},
      {0x2D, "Sword"},           {0x3E, "Gauntlet"},        {0x3F, "Black Magic"},
      {0x41, "Summon Magic"},    {0x42, "[Letter/Number]"}, {0xFE, "[Letter/Number]"},
      {0xFF, "[Space]"}};
  for (const auto& [byte, entry] : cases) EXPECT_EQ(icons[byte], entry) << byte;
}

}  // namespace
}  // namespace torvale
