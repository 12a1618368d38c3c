#include <gtest/gtest.h>

#include "RomFixture.h"
#include "rom/EditTag.h"

namespace torvale {
namespace {

using testing::Ascii;
using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(EditTag, SaveWritesTheTagPaddedOverThe32ByteFieldOnly) {
  testing::TempFolder folder;
  const Bytes original = Patched(romgen::BuildSampleRom(), 0x100, Bytes(32, 0x00));
  const std::filesystem::path path = testing::WriteRom(folder, original);
  RomFile rom;
  rom.Open(path);
  SaveROMTag(rom);
  const Bytes tagged = Patched(original, 0x100, Ascii("D:1.2b | Torvale                "));
  EXPECT_EQ(DescribeDifferences(tagged, testing::ReadFileBytes(path)), "");
  SaveROMTag(rom);
  EXPECT_EQ(DescribeDifferences(tagged, testing::ReadFileBytes(path)), "");
}

TEST(EditTag, FirstByteDecidesTheEditedStateAndWhetherATagIsShown) {
  struct Case {
    Bytes field;
    EditedState state;
    bool present;
    std::string shown;
  };
  const Case cases[] = {
      {Bytes(32, 0x00), EditedState::kUnedited, false, "[None]"},
      {Ascii("D:1.2b | Torvale                "), EditedState::kEdited, true,
       "D:1.2b | Torvale         "},
      {Ascii("Someone else's tag, 32 chars...."), EditedState::kUnknown, true,
       "Someone else's tag, 32 ch"},
      {Patched(Bytes(32, 0x41), 0, {0x00}), EditedState::kUnedited, false, "[None]"},
  };
  testing::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    RomFile rom;
    rom.Open(testing::WriteRom(folder, Patched(romgen::BuildSampleRom(), 0x100, c.field)));
    EXPECT_EQ(LoadEditedUnEdited(rom), c.state);
    const RomTag tag = LoadROMTag(rom);
    EXPECT_EQ(tag.present, c.present);
    EXPECT_EQ(tag.shown, c.shown);
  }
}

}  // namespace
}  // namespace torvale
