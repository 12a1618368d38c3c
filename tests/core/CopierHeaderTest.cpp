#include <gtest/gtest.h>

#include <fstream>

#include "RomFixture.h"
#include "rom/CopierHeader.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

TEST(CopierHeader, TypeIsTheFirstRowWhoseFieldsBothMatch) {
  struct Case {
    Bytes fieldA;
    Bytes fieldB;
    std::string_view type;
  };
  const Case cases[] = {
      {{0x00, 0x00, 0x00, 0x00}, {0xAA, 0xBB, 0x04, 0x00}, kSuperMagiCom},
      {{0x04, 0x00, 0x00, 0x00}, {0xAA, 0xBB, 0x04, 0x00}, kSuperWildCard},
      {{0x00, 0x00, 0x77, 0x83}, {0x00, 0x00, 0x00, 0x00}, kSuperUfo},
      {{0x04, 0x00, 0x00, 0x01}, {0xAA, 0xBB, 0x04, 0x00}, kUnknownHeader},
      {{0x00, 0x00, 0x77, 0x83}, {0xAA, 0xBB, 0x04, 0x00}, kUnknownHeader},
      {{0x00, 0x00, 0x77, 0x83}, {0x00, 0x00, 0x00, 0x01}, kUnknownHeader},
      {{0x00, 0x00, 0x00, 0x00}, {0xAA, 0xBB, 0x04, 0x01}, kUnknownHeader},
      {{0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x00}, kUnknownHeader},
  };
  testing::TempFolder folder;
  for (const Case& c : cases) {
    Bytes image = Patched(Patched(romgen::BuildSampleRom(), 2, c.fieldA), 8, c.fieldB);
    RomFile rom;
    rom.Open(testing::WriteRom(folder, image));
    EXPECT_EQ(LoadROMHeader(rom), c.type) << "case " << (&c - cases);
  }
}

TEST(CopierHeader, OnlyAFileOfExactlyOneMebibyteLacksItsHeader) {
  testing::TempFolder folder;
  for (const std::size_t size : {kHeaderlessRomSize - 1, kHeaderlessRomSize, kHeaderlessRomSize + 1,
                                 std::size_t{1'049'088}}) {
    Bytes image(size, 0x00);
    romgen::PutAscii(image, 0x7FC0, "HEADERLESS NAME 123456");
    RomFile rom;
    rom.Open(testing::WriteRom(folder, image));
    const std::optional<std::string> refusal = CheckHeader(rom);
    ASSERT_EQ(refusal.has_value(), size == kHeaderlessRomSize) << size;
    if (refusal) {
      EXPECT_EQ(*refusal,
                "The ROM: [ HEADERLESS NAME 123456 ] that you are attempting to load either has "
                "an missing header or is not Final Fantasy 2 US. \r\nIn order for you to be able "
                "to edit this ROM file you will need to have a valid 200 byte header that "
                "cartridge copiers put when the ROM is copied.  \r\nThe ROM will be unloaded and "
                "you will need to load a valid ROM file.");
    }
  }
}

class SaveHeaderTest : public ::testing::Test {
 protected:
  SaveHeaderTest() {
    for (std::size_t i = 0; i < templates.size(); ++i)
      templates[i] = static_cast<std::uint8_t>(0x90 + i);
    WriteTemplates(templates);
  }
  void WriteTemplates(const Bytes& bytes) {
    std::ofstream(templateFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  Bytes Template(std::size_t index) const {
    return {templates.begin() + static_cast<std::ptrdiff_t>(32 * index),
            templates.begin() + static_cast<std::ptrdiff_t>(32 * index + 32)};
  }

  testing::TempFolder folder;
  std::filesystem::path templateFile = folder.File("Header.dat");
  Bytes templates = Bytes(128);
  Bytes original = romgen::BuildSampleRom();
  std::filesystem::path path = testing::WriteRom(folder, original);
};

TEST_F(SaveHeaderTest, WritesTheChosenTemplateOverTheFirst32BytesOnly) {
  struct Case {
    std::string_view chosen;
    std::size_t templateIndex;
    std::string_view after;
  };
  const Case cases[] = {
      {kBlankedHeader, 0, kBlankedHeader}, {kSuperMagiCom, 1, kSuperMagiCom},
      {kSuperWildCard, 2, kSuperWildCard}, {kSuperUfo, 3, kSuperUfo},
      {kUnknownHeader, 1, kSuperMagiCom},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    testing::WriteRom(folder, original);
    RomFile rom;
    rom.Open(path);
    const SaveHeaderResult result = SaveHeader(rom, c.chosen, templateFile);
    EXPECT_EQ(result.outcome, SaveHeaderOutcome::kWritten);
    EXPECT_EQ(result.headerType, c.after);
    EXPECT_EQ(DescribeDifferences(Patched(original, 0, Template(c.templateIndex)),
                                  testing::ReadFileBytes(path)),
              "");
  }
}

TEST_F(SaveHeaderTest, WritesNothingForAnotherCaptionOrAnUnusableTemplateFile) {
  RomFile rom;
  rom.Open(path);
  for (const std::string_view other : {"N/A", "super magicom", "Super MagiCom "}) {
    EXPECT_EQ(SaveHeader(rom, other, templateFile).outcome, SaveHeaderOutcome::kNoTemplate);
  }
  WriteTemplates(Bytes(127, 0x55));
  EXPECT_EQ(SaveHeader(rom, kSuperWildCard, templateFile).outcome,
            SaveHeaderOutcome::kTemplateMissing);
  std::filesystem::remove(templateFile);
  const SaveHeaderResult missing = SaveHeader(rom, kUnknownHeader, templateFile);
  EXPECT_EQ(missing.outcome, SaveHeaderOutcome::kTemplateMissing);
  EXPECT_EQ(missing.headerType, kUnknownHeader);
  EXPECT_EQ(DescribeDifferences(original, testing::ReadFileBytes(path)), "");
}

TEST_F(SaveHeaderTest, ShippedTemplatesAreRecognisedAsTheirOwnType) {
  const std::filesystem::path shipped = TORVALE_RESOURCES_DIR "/Header.dat";
  ASSERT_EQ(std::filesystem::file_size(shipped), 128u);
  for (const std::string_view type : {kSuperMagiCom, kSuperWildCard, kSuperUfo}) {
    RomFile rom;
    rom.Open(path);
    SaveHeader(rom, type, shipped);
    EXPECT_EQ(LoadROMHeader(rom), type);
  }
  RomFile rom;
  rom.Open(path);
  SaveHeader(rom, kBlankedHeader, shipped);
  EXPECT_EQ(LoadROMHeader(rom), kUnknownHeader);
}

}  // namespace
}  // namespace torvale
