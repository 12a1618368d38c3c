#include <gtest/gtest.h>

#include "RomFixture.h"
#include "data/magic.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

class MagicTest : public ::testing::Test {
 protected:
  RomFile& Open(const Bytes& image) {
    rom.Close();
    original = image;
    testing::WriteRom(folder, image);
    rom.Open(folder.File("test.smc"));
    return rom;
  }

  testing::TempFolder folder;
  TextCodec codec{testing::WriteRom(folder, Bytes{0}, "FF2us.tbl"), [] {}};
  Bytes original;
  RomFile rom;
};

TEST_F(MagicTest, RecordBytesSplitIntoTheirFields) {
  // Spell 7: icon summon, record 85 17 xx 2B xx 8A.
  Bytes image = Patched(romgen::BuildSampleRom(), 0x78B00 + 6 * 7, {0x41});
  image = Patched(image, 0x799A0 + 6 * 7, {0x85, 0x11, 0x99, 0x2B, 0x98, 0x8A});
  Open(image);
  const Spell spell = ReadSpell(codec, rom, 7);
  EXPECT_EQ(spell.icon, MagicIcon::kSummon);
  EXPECT_EQ(spell.castingTime, 5);
  EXPECT_TRUE(spell.longAilment);
  EXPECT_EQ(spell.power, 0x11);
  EXPECT_EQ(spell.effect, 0x2B);
  EXPECT_EQ(spell.mpCost, 10);
  EXPECT_TRUE(spell.ignoresWall);
}

TEST_F(MagicTest, WriteTouchesPowerEffectNameAndCostOnly) {
  const Bytes image =
      Patched(romgen::BuildSampleRom(), 0x799A0 + 6 * 71, {0x85, 0x11, 0x99, 0x2B, 0x98, 0x8A});
  Open(image);
  Spell spell = ReadSpell(codec, rom, 71);
  spell.castingTime = 99;  // never written
  spell.longAilment = false;
  spell.power = 200;
  spell.effect = 0x30;
  spell.name = "Zap";
  spell.mpCost = 10;
  spell.ignoresWall = false;
  WriteSpell(codec, rom, 71, spell);
  Bytes expected = Patched(original, 0x799A0 + 6 * 71, {0x85, 200, 0x99, 0x30, 0x98, 0x0A});
  expected = Patched(expected, 0x78B00 + 6 * 71 + 1, {0x5B, 0x5C, 0x6B, 0xFF, 0xFF});
  EXPECT_EQ(DescribeDifferences(expected, testing::ReadFileBytes(folder.File("test.smc"))), "");
}

TEST_F(MagicTest, AsuraIsRestorableOnlyFromTheUsValues) {
  Open(Patched(romgen::BuildSampleRom(), 0x79BC2, {0x40, 0x1E, 0x64, 0x02}));
  EXPECT_TRUE(CheckAsura(rom));
  RestoreAsura(rom);
  EXPECT_EQ(DescribeDifferences(Patched(original, 0x79BC2, {0x40, 0x01, 0x42, 0x8D}),
                                testing::ReadFileBytes(folder.File("test.smc"))),
            "");
  EXPECT_FALSE(CheckAsura(rom));
  Open(Patched(romgen::BuildSampleRom(), 0x79BC2, {0x40, 0x1E, 0x64, 0x03}));
  EXPECT_FALSE(CheckAsura(rom));
}

TEST(SpellEffects, DescribedRoutinesAndTheRest) {
  EXPECT_EQ(SpellEffectText(0x00), "base X mult damage");
  EXPECT_EQ(SpellEffectText(0x29), "\"summon\" a monster (Alert, Call)");
  EXPECT_EQ(SpellEffectText(0x30), "revive monster (Recover, AC Remedy, 8F Vanish)");
  int unknown = 0;
  for (int effect = 0; effect < 256; ++effect) {
    unknown += SpellEffectText(static_cast<std::uint8_t>(effect)) == "unknown/undocumented";
  }
  EXPECT_EQ(unknown, 225);
}

}  // namespace
}  // namespace torvale
