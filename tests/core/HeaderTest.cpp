// The ROM's headers: the copier header, the internal header fields, the edit
// tag and the identity checks, each on an image held in memory.

#include <gtest/gtest.h>

#include "TestRom.h"
#include "data/RomHeaders.h"
#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"
#include "rom/RomIdentity.h"

namespace torvale {
namespace {

using testing::Ascii;
using testing::Bytes;
using testing::DescribeDifferences;
using testing::MemoryRom;
using testing::Patched;
using testing::Sample;
using testing::SampleWith;

TEST(CopierHeader, TypeIsTheFirstRowWhoseFieldsBothMatch) {
  const Bytes zeros(4, 0x00), swcA = {0x04, 0x00, 0x00, 0x00}, ufoA = {0x00, 0x00, 0x77, 0x83};
  const Bytes tagB = {0xAA, 0xBB, 0x04, 0x00};
  const std::tuple<Bytes, Bytes, std::string_view> cases[] = {
      {zeros, tagB, kSuperMagiCom},
      {swcA, tagB, kSuperWildCard},
      {ufoA, zeros, kSuperUfo},
      {{0x04, 0x00, 0x00, 0x01}, tagB, kUnknownHeader},
      {ufoA, tagB, kUnknownHeader},
      {ufoA, {0x00, 0x00, 0x00, 0x01}, kUnknownHeader},
      {zeros, {0xAA, 0xBB, 0x04, 0x01}, kUnknownHeader},
      {zeros, zeros, kUnknownHeader}};
  for (const auto& c : cases) {
    const auto& [fieldA, fieldB, type] = c;
    EXPECT_EQ(ReadHeaderType(MemoryRom(SampleWith({{2, fieldA}, {8, fieldB}})).rom), type)
        << "case " << (&c - cases);
  }
}

TEST(CopierHeader, OnlyAFileOfExactlyOneMebibyteLacksItsHeader) {
  for (const std::size_t size : {kHeaderlessRomSize - 1, kHeaderlessRomSize, kHeaderlessRomSize + 1,
                                 std::size_t{1'049'088}}) {
    Bytes image(size, 0x00);
    romgen::PutAscii(image, 0x7FC0, "HEADERLESS NAME 123456");
    EXPECT_EQ(CheckHeader(MemoryRom(image).rom),
              size != kHeaderlessRomSize
                  ? std::nullopt
                  : std::optional<std::string>(
                        "The ROM: [ HEADERLESS NAME 123456 ] that you are attempting to load "
                        "either has an missing header or is not Final Fantasy 2 US. \r\nIn order "
                        "for you to be able to edit this ROM file you will need to have a valid "
                        "200 byte header that cartridge copiers put when the ROM is copied.  "
                        "\r\nThe ROM will be unloaded and you will need to load a valid ROM file."))
        << size;
  }
}

// A template file's first 32 bytes of the chosen type's row, an unknown type
// taking Super MagiCom's; the shipped templates read back as their own type.
TEST(CopierHeader, TemplateOfTheChosenTypeTakesItsRowsFirst32BytesOnly) {
  testing::TempFolder folder;
  Bytes templates(128);
  for (std::size_t i = 0; i < templates.size(); ++i) templates[i] = 0x90 + i % 0x60;
  const auto templateFile = testing::WriteRom(folder, templates, "Header.dat");
  const std::tuple<std::string_view, long, std::string_view> cases[] = {
      {kBlankedHeader, 0, kBlankedHeader},
      {kSuperMagiCom, 1, kSuperMagiCom},
      {kSuperWildCard, 2, kSuperWildCard},
      {kSuperUfo, 3, kSuperUfo},
      {kUnknownHeader, 1, kSuperMagiCom}};
  for (const auto& [chosen, index, after] : cases) {
    MemoryRom memory;
    const WriteHeaderResult result = WriteHeaderTemplate(memory.rom, chosen, templateFile);
    EXPECT_EQ(result.outcome, WriteHeaderOutcome::kWritten) << chosen;
    EXPECT_EQ(result.headerType, after);
    const Bytes row(templates.begin() + 32 * index, templates.begin() + 32 * index + 32);
    EXPECT_EQ(DescribeDifferences(Patched(Sample(), 0, row), memory.file.bytes), "");
    WriteHeaderTemplate(memory.rom, chosen, TORVALE_RESOURCES_DIR "/Header.dat");
    EXPECT_EQ(ReadHeaderType(memory.rom), chosen == kBlankedHeader ? kUnknownHeader : after);
  }
  ASSERT_EQ(std::filesystem::file_size(TORVALE_RESOURCES_DIR "/Header.dat"), 128u);
  MemoryRom memory;
  for (const std::string_view other : {"N/A", "super magicom", "Super MagiCom "}) {
    EXPECT_EQ(WriteHeaderTemplate(memory.rom, other, templateFile).outcome,
              WriteHeaderOutcome::kNoTemplate);
  }
  testing::WriteRom(folder, Bytes(127, 0x55), "Header.dat");
  EXPECT_EQ(WriteHeaderTemplate(memory.rom, kSuperWildCard, templateFile).outcome,
            WriteHeaderOutcome::kTemplateMissing);
  std::filesystem::remove(templateFile);
  const WriteHeaderResult missing = WriteHeaderTemplate(memory.rom, kUnknownHeader, templateFile);
  EXPECT_EQ(missing.outcome, WriteHeaderOutcome::kTemplateMissing);
  EXPECT_EQ(missing.headerType, kUnknownHeader);
  EXPECT_EQ(DescribeDifferences(Sample(), memory.file.bytes), "");
}

TEST(InternalHeader, NameFillsItsFieldAndKeepsTheMapModeByteASpace) {
  EXPECT_EQ(ReadRomName(MemoryRom().rom), "FINAL FANTASY II      ");
  const std::pair<std::string, std::string> cases[] = {
      {"FF2us", "FF2us                 "},
      {"", "                      "},
      {"exactly twenty-one ch", "exactly twenty-one ch "},
      {"a name far longer than the field", "a name far longer tha "},
  };
  for (const auto& [name, field] : cases) {
    MemoryRom memory(Patched(Sample(), 0x81C0, Bytes(22, 0x00)));
    WriteRomName(memory.rom, name);
    EXPECT_EQ(DescribeDifferences(Patched(Sample(), 0x81C0, Ascii(field)), memory.file.bytes), "")
        << name;
  }
}

TEST(InternalHeader, FieldsReadAsTheMainWindowShowsThemAndOnlyKnownCountriesAreWritten) {
  // country byte, version byte, then what the header table reads them as
  const std::tuple<std::uint8_t, std::uint8_t, Value, Value> cases[] = {
      {0, 0, "Japan (NTSC)", "1.0"},
      {1, 1, "USA (NTSC)", "1.1"},
      {2, 2, "Europe/Oceania/Asia (PAL)", "Unknown"},
      {11, 255, "Hong Kong/China (PAL)", "Unknown"},
      {3, 0, std::int64_t{3}, "1.0"},
      {12, 0, std::int64_t{12}, "1.0"},
  };
  const std::string tag = "D:1.2b | Someone                ";
  for (const auto& [country, version, countryRead, versionRead] : cases) {
    const Bytes image = SampleWith(
        {{0x81D9, {country, 0x33, version}}, {0x100, Ascii(tag)}, {0x81C0, Ascii("RENAMED")}});
    MemoryRom memory(image);
    EXPECT_EQ(ReadRecord(RomHeaderTable(), memory.text, memory.rom, 0),
              (Record{"Super MagiCom", tag, "RENAMEDANTASY II      ", countryRead, versionRead}));
    EXPECT_EQ(ReadVersionCaption(memory.rom), std::get<std::string>(versionRead));
    const bool known = std::holds_alternative<std::string>(countryRead);
    EXPECT_EQ(ReadCountryCaption(memory.rom),
              known ? std::optional(std::get<std::string>(countryRead)) : std::nullopt)
        << int{country};
    if (!known) continue;
    memory.file.bytes[0x81D9] = 0x77;
    WriteCountryCode(memory.rom, std::get<std::string>(countryRead));
    WriteCountryCode(memory.rom, "usa (ntsc)");  // only a caption as shown has a code
    EXPECT_EQ(DescribeDifferences(image, memory.file.bytes), "");
  }
}

TEST(EditTag, WrittenTagFillsItsFieldAndItsFirstByteDecidesTheState) {
  const std::string ours = "D:1.2b | Torvale                ";
  MemoryRom memory(Patched(Sample(), 0x100, Bytes(32, 0x00)));
  for (int write = 0; write < 2; ++write) {
    WriteEditTag(memory.rom);
    EXPECT_EQ(DescribeDifferences(Patched(Sample(), 0x100, Ascii(ours)), memory.file.bytes), "");
  }
  const std::tuple<Bytes, EditedState, bool, std::string> cases[] = {
      {Bytes(32, 0x00), EditedState::kUnedited, false, "[None]"},
      {Ascii(ours), EditedState::kEdited, true, "D:1.2b | Torvale         "},
      {Ascii("Someone else's tag, 32 chars...."), EditedState::kUnknown, true,
       "Someone else's tag, 32 ch"},
      {Patched(Bytes(32, 0x41), 0, {0x00}), EditedState::kUnedited, false, "[None]"},
  };
  for (const auto& [field, state, present, shown] : cases) {
    MemoryRom tag(Patched(Sample(), 0x100, field));
    EXPECT_EQ(ReadEditedState(tag.rom), state) << shown;
    EXPECT_EQ(ReadEditTag(tag.rom).present, present);
    EXPECT_EQ(ReadEditTag(tag.rom).shown, shown);
  }
}

TEST(RomIdentity, TitlesAreComparedExactlyAndInOrder) {
  const std::string ff4 =
      "You're loading: [ FINAL FANTASY 4 ].  Final Fantasy 4 is not directly supported--don't "
      "email me and complain about my program fucking up your ROM.\r\n\r\nThe application will "
      "continue--Please use at your own risk.";
  const std::string ff3 =
      "You tried to load: [ FINAL FANTASY 3 ].  Why in god's name are you trying to corrupt this "
      "ROM?";
  const std::tuple<std::size_t, std::string, IdentityVerdict, std::string> cases[] = {
      {0x101C0, "FINAL FANTASY 3", IdentityVerdict::kRefused, ff3},
      {0x81C0, "FINAL FANTASY 4 EASYTYPE", IdentityVerdict::kWarned,
       "You're loading: [ FINAL FANTASY 4 EASY ].  Final Fantasy 4 EasyType is not directly "
       "supported--don't email me and complain about my program fucking up your ROM.\r\n\r\nThe "
       "application will continue--Please use at your own risk."},
      {0x81C0, "FINAL FANTASY 4     ", IdentityVerdict::kWarned, ff4},
      {0x81C0, "FINAL FANTASY 4 EAS", IdentityVerdict::kWarned, ff4},
      {0x81C0, "final fantasy 4     ", IdentityVerdict::kAccepted, ""},
      {0x81C0, "FINAL FANTASY II    ", IdentityVerdict::kAccepted, ""},
      {0x101C0, "FINAL FANTASY 30", IdentityVerdict::kRefused, ff3},
      {0x101C0, "Final Fantasy 3", IdentityVerdict::kAccepted, ""},
  };
  for (const auto& [offset, title, verdict, message] : cases) {
    const IdentityCheck check =
        CheckROMIdentity(MemoryRom(Patched(Sample(), offset, Ascii(title))).rom);
    EXPECT_EQ(check.verdict, verdict) << title;
    EXPECT_EQ(check.message, message) << title;
  }
}

TEST(RomIdentity, FileTooShortForTheEditorsIsRefused) {
  for (const std::size_t size : {std::size_t{0}, std::size_t{0xAB1D8}, std::size_t{0xAB1D9}}) {
    MemoryRomIo file(Bytes(size, 0xFF), "/memory/short.smc");
    RomFile rom(file);
    rom.Open(file.path);
    const std::optional<std::string> refusal = CheckRomLength(rom);
    EXPECT_EQ(refusal.has_value(), size < 0xAB1D9) << size;
    if (refusal) {
      EXPECT_NE(refusal->find("short.smc"), std::string::npos);
      EXPECT_NE(refusal->find(std::to_string(size) + " bytes"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace torvale
