// Game text: each byte against the character the game's table gives it,
// fields read and written in place, and a missing table file.

#include <gtest/gtest.h>

#include "TestRom.h"
#include "text/TextCodec.h"
#include "text/TextTable.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::MemoryRom;
using testing::Patched;

// What each byte reads as, written out apart from the program's table.
std::string ExpectedEntry(int byte) {
  if (byte >= 0x42 && byte <= 0x5B) return std::string(1, static_cast<char>('A' + byte - 0x42));
  if (byte >= 0x5C && byte <= 0x75) return std::string(1, static_cast<char>('a' + byte - 0x5C));
  if (byte >= 0x80 && byte <= 0x89) return std::string(1, static_cast<char>('0' + byte - 0x80));
  const std::pair<int, std::string> punctuation[] = {
      {0xBF, "l"}, {0xC0, "'"}, {0xC1, "."}, {0xC2, "-"}, {0xC3, ".."}, {0xC4, "!"},
      {0xC5, "?"}, {0xC6, "%"}, {0xC7, "/"}, {0xC8, ":"}, {0xC9, ","},  {0xFF, " "}};
  for (const auto& [stored, entry] : punctuation) {
    if (stored == byte) return entry;
  }
  return "";
}

// A 256-byte file holding `start` at its beginning, the rest 0x00.
Bytes Image(const Bytes& start) {
  return Patched(Bytes(256, 0x00), 0, start);
}

TEST(TextCodecTest, EveryByteReadsAndEveryCharacterWritesAsItsTableEntry) {
  Bytes all(256);
  for (int byte = 0; byte < 256; ++byte) all[byte] = static_cast<std::uint8_t>(byte);
  MemoryRom memory(all);
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(memory.text.ReadText(memory.rom, static_cast<FileOffset>(byte), 1),
              ExpectedEntry(byte))
        << byte;
  }
  for (int character = 1; character < 256; ++character) {
    int lowest = 0x3F;  // a character without a byte leaves the byte stored
    for (int byte = 255; byte >= 0; --byte) {
      if (ExpectedEntry(byte) == std::string(1, static_cast<char>(character))) lowest = byte;
    }
    MemoryRom written(Image({0x3F}));
    written.text.WriteText(written.rom, 0, std::string(1, static_cast<char>(character)), 1);
    EXPECT_EQ(DescribeDifferences(Image({static_cast<std::uint8_t>(lowest)}), written.file.bytes),
              "")
        << "character " << character;
  }
}

// A field as stored and its length, what it reads as, and the bytes it holds
// once `written` (or, when none is given, what it read as) is written in its place.
TEST(TextCodecTest, FieldsReadAndWriteInPlacePaddedAndCut) {
  const std::tuple<Bytes, std::uint16_t, std::string, const char*, Bytes> cases[] = {
      {{0x42, 0x5C, 0x5D, 0xFF}, 4, "Aab ", nullptr, {0x42, 0x5C, 0x5D, 0xFF}},
      {{0x00, 0x42, 0x3F, 0x43}, 4, "AB", nullptr, {0x42, 0x43, 0xFF, 0xFF}},
      {{0xC3}, 1, "..", nullptr, {0xC1}},  // cut at the field
      {{0x42, 0x5C, 0x80, 0xC9, 0xFF}, 5, "Aa0, ", nullptr, {0x42, 0x5C, 0x80, 0xC9, 0xFF}},
      {{0x42, 0x10, 0x43, 0xFF, 0x44}, 5, "AB C", nullptr, {0x42, 0x43, 0xFF, 0x44, 0xFF}},
      {{0xBF, 0x42, 0xC3, 0x43, 0xFF}, 5, "lA..B ", nullptr, {0x67, 0x42, 0xC1, 0xC1, 0x43}},
      {{}, 5, "", "Ab", {0x42, 0x5D, 0xFF, 0xFF, 0xFF}},
      {{}, 3, "", "", {0xFF, 0xFF, 0xFF}},
      {{0x11, 0x22, 0x33}, 3, "", "A#c", {0x42, 0x22, 0x5E}},  // '#' has no byte
      {{}, 3, "", "..l", {0xC1, 0xC1, 0x67}},
      {{}, 6, "", "Wimsy..", {0x58, 0x64, 0x68, 0x6E, 0x74, 0xC1}},
  };
  for (const auto& [stored, length, read, written, after] : cases) {
    MemoryRom memory(Image(stored));
    EXPECT_EQ(memory.text.ReadText(memory.rom, 0, length), read);
    memory.text.WriteText(memory.rom, 0, written ? written : read, length);
    EXPECT_EQ(DescribeDifferences(Image(after), memory.file.bytes), "") << read;
  }
}

TEST(TextCodecTest, MissingTableFileEndsEveryRead) {
  testing::TempFolder folder;
  testing::WriteRom(folder, Bytes{0x00}, "FF2us.tbl");
  int missingTableCalls = 0;
  TextCodec codec{folder.File("FF2us.tbl"), [&] { ++missingTableCalls; }};
  MemoryRom memory(Image({0x42}));
  std::filesystem::remove(folder.File("FF2us.tbl"));
  EXPECT_THROW(codec.ReadText(memory.rom, 0, 1), DataFileMissingError);
  EXPECT_EQ(missingTableCalls, 1);
  codec.WriteText(memory.rom, 0, "C", 1);  // writing makes no check of its own
  EXPECT_EQ(memory.file.bytes[0], 0x44);
  testing::WriteRom(folder, Bytes{0x00}, "FF2us.tbl");
  EXPECT_EQ(codec.ReadText(memory.rom, 0, 1), "C");
  EXPECT_EQ(missingTableCalls, 1);
}

}  // namespace
}  // namespace torvale
