#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/treasure.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(Treasure, EveryTypeByteDecodesToItsKind) {
  for (int type = 0; type < 256; ++type) {
    const Chest chest = DecodeChest({static_cast<std::uint8_t>(type), 0x83});
    if (type < 0x80) {
      EXPECT_EQ(chest.kind, ChestKind::kGp) << type;
      EXPECT_EQ(chest.gp, 3000);
    } else if (type < 0xC0) {
      EXPECT_EQ(chest.kind, ChestKind::kItem) << type;
      EXPECT_EQ(chest.item, 0x83);
    } else {
      EXPECT_EQ(chest.kind, ChestKind::kGuardedItem) << type;
      EXPECT_EQ(chest.formation, type - 0x80);
      EXPECT_EQ(chest.item, 0x83);
    }
  }
  EXPECT_EQ(DecodeChest({0x12, 0x05}).gp, 50);
}

TEST(Treasure, ChestOffsetsRunInOrderThroughTheTreasureTable) {
  const auto& offsets = ChestOffsets();
  EXPECT_EQ(offsets.front(), 0xA8503u);
  EXPECT_EQ(offsets.back(), 0xA9818u);
  for (std::size_t i = 1; i < offsets.size(); ++i) EXPECT_LT(offsets[i - 1], offsets[i]) << i;
}

TEST(Treasure, WriteTouchesTheTypeAndValueBytesOnly) {
  testing::TempFolder folder;
  const Bytes original = romgen::BuildSampleRom();
  const std::filesystem::path path = testing::WriteRom(folder, original);
  RomFile rom;
  rom.Open(path);
  WriteChest(rom, 401, {0xE4, 0x10});
  EXPECT_EQ(
      DescribeDifferences(Patched(original, 0xA9818, {0xE4, 0x10}), testing::ReadFileBytes(path)),
      "");
}

}  // namespace
}  // namespace torvale
