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
MemoryRom Image(const Bytes& start) {
  return MemoryRom(Patched(Bytes(256, 0x00), 0, start));
}

TEST(TextCodecTest, EveryByteReadsAndEveryCharacterWritesAsItsTableEntry) {
  Bytes all(256);
  for (int byte = 0; byte < 256; ++byte) all[byte] = static_cast<std::uint8_t>(byte);
  MemoryRom memory = Image(all);
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
    MemoryRom written = Image({0x3F});
    written.text.WriteText(written.rom, 0, std::string(1, static_cast<char>(character)), 1);
    EXPECT_EQ(DescribeDifferences(Patched(Bytes(256, 0x00), 0, {static_cast<std::uint8_t>(lowest)}),
                                  written.file.bytes),
              "")
        << "character " << character;
  }
}

TEST(TextCodecTest, FieldsReadAndWriteInPlacePaddedAndCut) {
  const std::pair<Bytes, std::string> reads[] = {
      {{0x42, 0x5C, 0x5D, 0xFF}, "Aab "}, {{0x00, 0x42, 0x3F, 0x43}, "AB"}, {{0xC3}, ".."}};
  for (const auto& [bytes, text] : reads) {
    MemoryRom memory = Image(bytes);
    EXPECT_EQ(memory.text.ReadText(memory.rom, 0, static_cast<std::uint16_t>(bytes.size())), text);
  }
  const std::tuple<Bytes, std::string, std::uint16_t, Bytes> writes[] = {
      {{}, "Ab", 5, {0x42, 0x5D, 0xFF, 0xFF, 0xFF}},
      {{}, "", 3, {0xFF, 0xFF, 0xFF}},
      {{0x11, 0x22, 0x33}, "A#c", 3, {0x42, 0x22, 0x5E}},
      {{}, "..l", 3, {0xC1, 0xC1, 0x67}},
      {{}, "Wimsy..", 6, {0x58, 0x64, 0x68, 0x6E, 0x74, 0xC1}},  // cut at the field
  };
  for (const auto& [before, text, length, after] : writes) {
    MemoryRom memory = Image(before);
    memory.text.WriteText(memory.rom, 0, text, length);
    EXPECT_EQ(DescribeDifferences(Patched(Bytes(256, 0x00), 0, after), memory.file.bytes), "")
        << text;
  }
  // Read and written again, a field keeps its bytes unless it holds special ones.
  const std::pair<Bytes, Bytes> rewrites[] = {
      {{0x42, 0x5C, 0x80, 0xC9, 0xFF}, {0x42, 0x5C, 0x80, 0xC9, 0xFF}},
      {{0x42, 0x10, 0x43, 0xFF, 0x44}, {0x42, 0x43, 0xFF, 0x44, 0xFF}},  // empty entry vanishes
      {{0xBF, 0x42, 0xC3, 0x43, 0xFF}, {0x67, 0x42, 0xC1, 0xC1, 0x43}},
  };
  for (const auto& [stored, rewritten] : rewrites) {
    MemoryRom memory = Image(stored);
    memory.text.WriteText(memory.rom, 0, memory.text.ReadText(memory.rom, 0, 5), 5);
    EXPECT_EQ(DescribeDifferences(Patched(Bytes(256, 0x00), 0, rewritten), memory.file.bytes), "");
  }
}

TEST(TextCodecTest, MissingTableFileEndsEveryRead) {
  testing::TempFolder folder;
  testing::WriteRom(folder, Bytes{0x00}, "FF2us.tbl");
  int missingTableCalls = 0;
  TextCodec codec{folder.File("FF2us.tbl"), [&] { ++missingTableCalls; }};
  MemoryRom memory = Image({0x42});
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
