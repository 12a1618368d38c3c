#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/maps.h"
#include "data/music.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(MapProperties, WriteSkipsTheTwoIndexFieldsOfTheLastRecord) {
  testing::TempFolder folder;
  const Bytes original = romgen::BuildSampleRom();
  const std::filesystem::path path = testing::WriteRom(folder, original);
  RomFile rom;
  rom.Open(path);
  MapProperties fields{};
  for (std::size_t field = 0; field < fields.size(); ++field)
    fields[field] = static_cast<std::uint8_t>(0xE0 + field);
  WriteMapProperties(rom, 380, fields);
  Bytes expected = Patched(original, 0xAB1CC, {0xE0, 0xE1});
  expected = Patched(expected, 0xAB1CF, {0xE3, 0xE4});
  expected = Patched(expected, 0xAB1D2, {0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC});
  EXPECT_EQ(DescribeDifferences(expected, testing::ReadFileBytes(path)), "");
  const MapProperties reread = ReadMapProperties(rom, 380);
  EXPECT_EQ(reread[2], original[0xAB1CE]);
  EXPECT_EQ(reread[12], 0xEC);
}

TEST(MapMusic, EveryByteHasASongText) {
  const std::pair<int, std::string_view> cases[] = {{0, "Nothing"},
                                                    {16, "Tent\\Cabin"},
                                                    {31, "Suprise! (Ex: Lost the Crystal)"},
                                                    {56, "Nothing"},
                                                    {61, "Nothing"},
                                                    {62, "Airship Noise"},
                                                    {65, "Unknown"},
                                                    {68, "Waves"},
                                                    {69, "Unknown/Undocumented/Glitch"},
                                                    {255, "Unknown/Undocumented/Glitch"}};
  for (const auto& [music, text] : cases)
    EXPECT_EQ(MapMusicText(static_cast<std::uint8_t>(music)), text);
  EXPECT_EQ(SongNames()[31], "Suprise! (Ex: Lost the Dark Crystal)");
  EXPECT_EQ(SongNames()[55], "Ending Part 3");
  EXPECT_EQ(SongOffset(0), 0xA9E8Bu);
  EXPECT_EQ(SongOffset(380), 0xAB1D7u);
}

}  // namespace
}  // namespace torvale
