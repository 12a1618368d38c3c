#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/battle_tables.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(BattleTables, EntriesWriteTheirOwnBytesOnly) {
  testing::TempFolder folder;
  const Bytes original = romgen::BuildSampleRom();
  const std::filesystem::path path = testing::WriteRom(folder, original);
  RomFile rom;
  rom.Open(path);
  WriteItemsWon(rom, 9, {1, 2, 3, 4});
  WriteAttackDefense(rom, 223, {2, 50, 10});
  WriteSpeed(rom, 63, {7, 9});
  Bytes expected = Patched(original, 0x72124, {1, 2, 3, 4});
  expected = Patched(expected, 0x7281D, {2, 50, 10});
  expected = Patched(expected, 0x7289E, {7, 9});
  EXPECT_EQ(DescribeDifferences(expected, testing::ReadFileBytes(path)), "");
  EXPECT_EQ(ReadAttackDefense(rom, 223), (AttackDefense{2, 50, 10}));
  EXPECT_EQ(EntryText(ReadAttackDefense(rom, 223)), "2 - 50 - 10");
  EXPECT_EQ(EntryText(ReadSpeed(rom, 63)), "7 - 9");
}

}  // namespace
}  // namespace torvale
