#include <gtest/gtest.h>

#include "TestRom.h"
#include "text/TextCodec.h"
#include "text/TextTable.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

// Independent of the table's code: what each byte should read as.
std::string ExpectedEntry(int byte) {
  if (byte >= 0x42 && byte <= 0x5B) return std::string(1, static_cast<char>('A' + byte - 0x42));
  if (byte >= 0x5C && byte <= 0x75) return std::string(1, static_cast<char>('a' + byte - 0x5C));
  if (byte >= 0x80 && byte <= 0x89) return std::string(1, static_cast<char>('0' + byte - 0x80));
  switch (byte) {
    case 0xBF:
      return "l";
    case 0xC0:
      return "'";
    case 0xC1:
      return ".";
    case 0xC2:
      return "-";
    case 0xC3:
      return "..";
    case 0xC4:
      return "!";
    case 0xC5:
      return "?";
    case 0xC6:
      return "%";
    case 0xC7:
      return "/";
    case 0xC8:
      return ":";
    case 0xC9:
      return ",";
    case 0xFF:
      return " ";
    default:
      return "";
  }
}

class TextCodecTest : public ::testing::Test {
 protected:
  TextCodecTest() { testing::WriteRom(folder, Bytes{0x00}, "FF2us.tbl"); }

  // A 256-byte file holding the given bytes at its start, the rest 0x00.
  RomFile& Open(const Bytes& start) {
    rom.Close();
    original = Patched(Bytes(256, 0x00), 0, start);
    testing::WriteRom(folder, original);
    rom.Open(folder.File("test.smc"));
    return rom;
  }

  testing::TempFolder folder;
  int missingTableCalls = 0;
  TextCodec codec{folder.File("FF2us.tbl"), [this] { ++missingTableCalls; }};
  Bytes original;
  RomFile rom;
};

TEST_F(TextCodecTest, EveryByteReadsAsItsTableEntry) {
  Bytes all(256);
  for (int byte = 0; byte < 256; ++byte) all[byte] = static_cast<std::uint8_t>(byte);
  Open(all);
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(codec.ReadText(rom, static_cast<FileOffset>(byte), 1), ExpectedEntry(byte)) << byte;
  }
}

TEST_F(TextCodecTest, EveryCharacterWritesAsTheLowestByteOfItsEntry) {
  for (int character = 1; character < 256; ++character) {
    int expected = -1;
    for (int byte = 0; byte < 256 && expected < 0; ++byte) {
      if (ExpectedEntry(byte) == std::string(1, static_cast<char>(character))) expected = byte;
    }
    Open({0x3F});
    codec.WriteText(rom, 0, std::string(1, static_cast<char>(character)), 1);
    const Bytes after = testing::ReadFileBytes(folder.File("test.smc"));
    EXPECT_EQ(after[0], expected < 0 ? 0x3F : expected) << "character " << character;
    EXPECT_EQ(DescribeDifferences(original, Patched(after, 0, {original[0]})), "");
  }
}

TEST_F(TextCodecTest, ReadsFieldsAsTheGameStoresThem) {
  const std::pair<Bytes, std::string> cases[] = {
      {{0x42, 0x5C, 0x5D, 0xFF}, "Aab "},
      {{0x00, 0x42, 0x3F, 0x43}, "AB"},
      {{0xC3}, ".."},
      {{0xBF}, "l"},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "        "},
  };
  for (const auto& [bytes, text] : cases) {
    Open(bytes);
    EXPECT_EQ(codec.ReadText(rom, 0, static_cast<std::uint16_t>(bytes.size())), text);
  }
}

TEST_F(TextCodecTest, WritesExactlyTheFieldPaddedAndCut) {
  struct Case {
    Bytes before;
    std::string text;
    std::uint16_t length;
    Bytes after;
  };
  const Case cases[] = {
      {{}, "Ab", 5, {0x42, 0x5D, 0xFF, 0xFF, 0xFF}},
      {{}, "", 5, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {{0x11, 0x22, 0x33}, "A#c", 3, {0x42, 0x22, 0x5E}},
      {{}, "..", 2, {0xC1, 0xC1}},
      {{}, "l", 1, {0x67}},
      {{0x44}, "a", 1, {0x5C}},
      {{}, "Wimsy..", 6, {0x58, 0x64, 0x68, 0x6E, 0x74, 0xC1}},  // cut at the field
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Open(c.before);
    codec.WriteText(rom, 0, c.text, c.length);
    EXPECT_EQ(DescribeDifferences(Patched(original, 0, c.after),
                                  testing::ReadFileBytes(folder.File("test.smc"))),
              "");
  }
}

TEST_F(TextCodecTest, RoundTripRestoresAFieldUnlessItHoldsSpecialBytes) {
  const std::pair<Bytes, Bytes> cases[] = {
      {{0x42, 0x5C, 0x80, 0xC9, 0xFF}, {0x42, 0x5C, 0x80, 0xC9, 0xFF}},
      {{0x42, 0x10, 0x43, 0xFF, 0x44}, {0x42, 0x43, 0xFF, 0x44, 0xFF}},  // empty entry vanishes
      {{0xBF, 0x42, 0x42, 0x42, 0x42}, {0x67, 0x42, 0x42, 0x42, 0x42}},
      {{0x42, 0xC3, 0x43, 0xFF, 0xFF}, {0x42, 0xC1, 0xC1, 0x43, 0xFF}},
  };
  for (const auto& [stored, rewritten] : cases) {
    Open(stored);
    codec.WriteText(rom, 0, codec.ReadText(rom, 0, 5), 5);
    EXPECT_EQ(DescribeDifferences(Patched(original, 0, rewritten),
                                  testing::ReadFileBytes(folder.File("test.smc"))),
              "");
  }
}

TEST_F(TextCodecTest, MissingTableFileEndsEveryRead) {
  Open({0x42});
  std::filesystem::remove(folder.File("FF2us.tbl"));
  EXPECT_THROW(codec.ReadText(rom, 0, 1), DataFileMissingError);
  EXPECT_EQ(missingTableCalls, 1);
  codec.WriteText(rom, 0, "C", 1);  // writing makes no check of its own
  EXPECT_EQ(testing::ReadFileBytes(folder.File("test.smc"))[0], 0x44);
  testing::WriteRom(folder, Bytes{0x00}, "FF2us.tbl");
  EXPECT_EQ(codec.ReadText(rom, 0, 1), "C");
  EXPECT_EQ(missingTableCalls, 1);
}

}  // namespace
}  // namespace torvale
