#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "romgen/SyntheticRom.h"

namespace torvale::romgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const RomBytes& rom, std::size_t offset, std::size_t length) {
  return Bytes(rom.begin() + static_cast<std::ptrdiff_t>(offset),
               rom.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

Bytes Ascii(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

TEST(SyntheticRomTest, IsDeterministicAndFullSize) {
  const RomBytes rom = BuildSampleRom();
  EXPECT_EQ(rom.size(), 1'049'088u);
  EXPECT_EQ(rom.size(), kSampleRomSize);
  EXPECT_EQ(rom, BuildSampleRom());
}

TEST(SyntheticRomTest, HeaderBytesSitAtTheirOffsets) {
  const RomBytes rom = BuildSampleRom();
  struct Case {
    std::size_t offset;
    Bytes expected;
  };
  const Case cases[] = {
      {0x000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00}},              // block count, copier field A
      {0x008, {0xAA, 0xBB, 0x04, 0x00}},                          // copier field B
      {0x100, Bytes(32, 0x00)},                                   // never saved: no edit tag
      {0x81C0, Ascii("FINAL FANTASY II" + std::string(6, ' '))},  // title, map mode 0x20
      {0x81D9, {0x01}},                                           // country USA
      {0x81DB, {0x00}},                                           // version 1.0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Slice(rom, c.offset, c.expected.size()), c.expected) << "offset " << c.offset;
  }
  EXPECT_NE(Slice(rom, 0x101C0, 15), Ascii("FINAL FANTASY 3"));
}

TEST(SyntheticRomTest, EverySongByteNamesOneOfTheSongs) {
  const RomBytes rom = BuildSampleRom();
  for (std::size_t map = 0; map < 381; ++map) {
    EXPECT_LT(rom[0xA9E8B + 13 * map], 56) << "map " << map;
  }
}

TEST(SyntheticRomTest, TablesHoldPlausibleValues) {
  const RomBytes rom = BuildSampleRom();
  for (std::size_t i = 0; i < 64; ++i) {
    EXPECT_LE(rom[0x72820 + 2 * i], rom[0x72821 + 2 * i]) << "speed entry " << i;
  }
  for (std::size_t spell = 0; spell < 72; ++spell) {
    const std::uint8_t icon = rom[0x78B00 + 6 * spell];
    EXPECT_TRUE(icon >= 0x3F && icon <= 0x41) << "spell " << spell;
  }
  for (std::size_t offset = 0xA8503; offset <= 0xA9819; ++offset) {
    EXPECT_NE(rom[offset], 0xC0) << "treasure byte " << offset;
  }
}

TEST(SyntheticRomTest, CornerCaseItemNamesHoldTheirRawBytes) {
  const RomBytes rom = BuildSampleRom();
  const auto nameAt = [&](std::size_t item) { return Slice(rom, 0x78201 + 9 * item, 8); };
  EXPECT_EQ(nameAt(kBlankNameItem), Bytes(8, 0xFF));
  EXPECT_EQ(nameAt(kDoubleDotNameItem)[5], 0xC3);
  EXPECT_EQ(nameAt(kSecondSmallLNameItem)[2], 0xBF);
  EXPECT_EQ(nameAt(kUnmappedByteNameItem)[3], 0x10);
}

TEST(SyntheticRomTest, EncodeGameText) {
  struct Case {
    std::string text;
    std::size_t length;
    Bytes expected;
  };
  const Case cases[] = {
      {"AZ", 2, {0x42, 0x5B}},
      {"az", 2, {0x5C, 0x75}},
      {"09", 2, {0x80, 0x89}},
      {"'.-!?%/:,", 9, {0xC0, 0xC1, 0xC2, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9}},
      {"Ab", 5, {0x42, 0x5D, 0xFF, 0xFF, 0xFF}},  // padded with spaces
      {"", 3, {0xFF, 0xFF, 0xFF}},
      {"Abcdef", 3, {0x42, 0x5D, 0x5E}},  // cut at the field's length
      {"a b", 3, {0x5C, 0xFF, 0x5D}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeGameText(c.text, c.length), c.expected) << '"' << c.text << '"';
  }
  for (const std::string bad : {"#", "A_b", "\xC3\xA9", "tab\t"}) {
    EXPECT_THROW(EncodeGameText(bad, 8), std::invalid_argument) << bad;
  }
}

TEST(SyntheticRomTest, PutHelpersWriteLittleEndianAndRefusePastTheEnd) {
  RomBytes rom(8, 0x00);
  PutWord(rom, 0, 0x1234);
  PutLong(rom, 2, 0xA1B2C3D4);
  PutAscii(rom, 6, "Hi");
  EXPECT_EQ(rom, (Bytes{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 'H', 'i'}));

  EXPECT_THROW(PutBytes(rom, 7, {1, 2}), std::out_of_range);
  EXPECT_THROW(PutBytes(rom, 9, {}), std::out_of_range);
  EXPECT_THROW(PutAscii(rom, 6, "abc"), std::out_of_range);
  EXPECT_THROW(PutWord(rom, 7, 1), std::out_of_range);
  EXPECT_THROW(PutLong(rom, 5, 1), std::out_of_range);
  EXPECT_EQ(rom[7], 'i');  // a refused write leaves the bytes alone
}

TEST(SyntheticRomTest, WrittenFileReadsBackByteForByte) {
  const RomBytes rom = BuildSampleRom();
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "torvale-romgen-roundtrip.smc";
  WriteFileBytes(path, rom);
  std::ifstream in(path, std::ios::binary);
  const Bytes back{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  std::filesystem::remove(path);
  EXPECT_EQ(back, rom);

  EXPECT_THROW(
      WriteFileBytes(std::filesystem::temp_directory_path() / "no-such-dir" / "x.smc", rom),
      std::runtime_error);
}

}  // namespace
}  // namespace torvale::romgen
