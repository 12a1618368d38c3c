#include <gtest/gtest.h>

#include "RomFixture.h"
#include "rom/InternalHeader.h"

namespace torvale {
namespace {

using testing::Ascii;
using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

class InternalHeaderTest : public ::testing::Test {
 protected:
  RomFile& Reopen(const Bytes& image) {
    rom.Close();
    testing::WriteRom(folder, image);
    rom.Open(path);
    return rom;
  }

  testing::TempFolder folder;
  Bytes original = romgen::BuildSampleRom();
  std::filesystem::path path = testing::WriteRom(folder, original);
  RomFile rom;
};

TEST_F(InternalHeaderTest, NameIsThe22BytesAt0x81C0) {
  Reopen(Patched(original, 0x81C0, Ascii("FINAL FANTASY II      ")));
  EXPECT_EQ(LoadROMIName(rom), "FINAL FANTASY II      ");
}

TEST_F(InternalHeaderTest, SavedNameFillsTheFieldAndKeepsTheMapModeByteASpace) {
  struct Case {
    std::string name;
    std::string field;
  };
  const Case cases[] = {
      {"FF2us", "FF2us                 "},
      {"", "                      "},
      {"exactly twenty-one ch", "exactly twenty-one ch "},
      {"twenty-two characters", "twenty-two characters "},
      {"a name far longer than the field", "a name far longer tha "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reopen(Patched(original, 0x81C0, Bytes(22, 0x00)));
    SaveROMIName(rom, c.name);
    EXPECT_EQ(DescribeDifferences(Patched(original, 0x81C0, Ascii(c.field)),
                                  testing::ReadFileBytes(path)),
              "");
  }
}

TEST_F(InternalHeaderTest, CountryCodesAndCaptionsMapBothWays) {
  const std::pair<std::uint8_t, std::string_view> known[] = {{0, "Japan (NTSC)"},
                                                             {1, "USA (NTSC)"},
                                                             {2, "Europe/Oceania/Asia (PAL)"},
                                                             {11, "Hong Kong/China (PAL)"}};
  for (const auto& [code, caption] : known) {
    Reopen(Patched(original, 0x81D9, {code}));
    EXPECT_EQ(LoadCountryCode(rom), caption);
    Reopen(Patched(original, 0x81D9, {0x77}));
    SaveCountryCode(rom, caption);
    EXPECT_EQ(DescribeDifferences(Patched(original, 0x81D9, {code}), testing::ReadFileBytes(path)),
              "");
  }
  for (const std::uint8_t unknown : {3, 10, 12, 255}) {
    Reopen(Patched(original, 0x81D9, {unknown}));
    EXPECT_EQ(LoadCountryCode(rom), std::nullopt) << int{unknown};
  }
}

TEST_F(InternalHeaderTest, UnknownCountryCaptionWritesNothing) {
  Reopen(Patched(original, 0x81D9, {3}));
  SaveCountryCode(rom, "N/A");
  SaveCountryCode(rom, "usa (ntsc)");
  EXPECT_EQ(DescribeDifferences(Patched(original, 0x81D9, {3}), testing::ReadFileBytes(path)), "");
}

TEST_F(InternalHeaderTest, VersionByteShowsAsItsCaption) {
  const std::pair<std::uint8_t, std::string_view> cases[] = {
      {0, "1.0"}, {1, "1.1"}, {2, "Unknown"}, {255, "Unknown"}};
  for (const auto& [version, caption] : cases) {
    Reopen(Patched(original, 0x81DB, {version}));
    EXPECT_EQ(LoadROMVersion(rom), caption);
  }
}

}  // namespace
}  // namespace torvale
