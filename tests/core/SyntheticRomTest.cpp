// The generated sample ROM that every test and the README's pictures use:
// the same bytes on every run, headers where the program looks for them, and
// game text encoded as the game's table says.

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

#include "TestRom.h"
#include "romgen/SyntheticRom.h"

namespace torvale::romgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SyntheticRomTest, SameBytesEveryRunWithItsHeadersInPlace) {
  const RomBytes rom = BuildSampleRom();
  EXPECT_EQ(rom.size(), 1'049'088u);
  EXPECT_EQ(rom, BuildSampleRom());
  const std::string title = "FINAL FANTASY II      ";  // then map mode 0x20, as a space
  const std::pair<std::size_t, Bytes> fields[] = {
      {0x000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00}},  // block count, copier field A
      {0x008, {0xAA, 0xBB, 0x04, 0x00}},              // copier field B
      {0x100, Bytes(32, 0x00)},                       // never saved: no edit tag
      {0x81C0, Bytes(title.begin(), title.end())},
      {0x81D9, {0x01}},  // USA
      {0x81DB, {0x00}},  // version 1.0
  };
  for (const auto& [offset, expected] : fields) {  // already in place
    EXPECT_EQ(testing::DescribeDifferences(rom, testing::Patched(rom, offset, expected)), "");
  }
  // The check words hold what the image sums to, as in a clean dump.
  const auto sum = std::accumulate(rom.begin() + 0x200, rom.end(), 0u) & 0xFFFF;
  EXPECT_EQ(rom[0x81DE] | rom[0x81DF] << 8, sum);
  EXPECT_EQ(rom[0x81DC] | rom[0x81DD] << 8, sum ^ 0xFFFF);
}

TEST(SyntheticRomTest, EncodeGameText) {
  const std::tuple<std::string, std::size_t, Bytes> cases[] = {
      {"AZaz09", 6, {0x42, 0x5B, 0x5C, 0x75, 0x80, 0x89}},
      {"'.-!?%/:,", 9, {0xC0, 0xC1, 0xC2, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9}},
      {"a b", 5, {0x5C, 0xFF, 0x5D, 0xFF, 0xFF}},  // padded with spaces
      {"Abcdef", 3, {0x42, 0x5D, 0x5E}},           // cut at the field's length
  };
  for (const auto& [text, length, expected] : cases) {
    EXPECT_EQ(EncodeGameText(text, length), expected) << text;
  }
  EXPECT_THROW(EncodeGameText("A_b", 8), std::invalid_argument);
}

}  // namespace
}  // namespace torvale::romgen
