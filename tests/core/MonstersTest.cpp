#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/monsters.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(Monsters, WordsCrossTheSignBoundaryAndNamesLeaveSpacesForUnknownCharacters) {
  testing::TempFolder folder;
  const TextCodec codec(testing::WriteRom(folder, Bytes{0}, "FF2us.tbl"), [] {});
  const Bytes original = romgen::BuildSampleRom();
  const std::filesystem::path path = testing::WriteRom(folder, original);
  RomFile rom;
  rom.Open(path);
  Monster values;
  values.name = "Ab#";
  values.gp = 40000;
  values.experience = 65535;
  values.size = 7;
  values.palette = 200;
  values.graphicPointer = 0x8001;
  WriteMonster(codec, rom, 223, values);
  Bytes expected =
      Patched(original, 0x71A00 + 8 * 223, {0x42, 0x5D, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  expected = Patched(expected, 0x72200 + 2 * 223, {0x40, 0x9C});
  expected = Patched(expected, 0x723C0 + 2 * 223, {0xFF, 0xFF});
  expected = Patched(expected, 0x7CC00 + 4 * 223, {7, 200, 0x01, 0x80});
  EXPECT_EQ(DescribeDifferences(expected, testing::ReadFileBytes(path)), "");
  const Monster reread = ReadMonster(codec, rom, 223);
  EXPECT_EQ(reread.gp, 40000);
  EXPECT_EQ(reread.graphicPointer, 0x8001);
  EXPECT_EQ(reread.name, "Ab      ");
}

}  // namespace
}  // namespace torvale
