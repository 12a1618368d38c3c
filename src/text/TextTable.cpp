#include "text/TextTable.h"

namespace torvale {
namespace {

constexpr TextTable BuildTable() {
  TextTable table{};
  constexpr std::string_view kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  constexpr std::string_view kSmall = "abcdefghijklmnopqrstuvwxyz";
  constexpr std::string_view kDigits = "0123456789";
  for (std::size_t i = 0; i < kCapitals.size(); ++i) table[0x42 + i] = kCapitals.substr(i, 1);
  for (std::size_t i = 0; i < kSmall.size(); ++i) table[0x5C + i] = kSmall.substr(i, 1);
  for (std::size_t i = 0; i < kDigits.size(); ++i) table[0x80 + i] = kDigits.substr(i, 1);
  table[0xBF] = "l";  // a second small L; writing "l" always gives 0x67
  table[0xC0] = "'";
  table[0xC1] = ".";
  table[0xC2] = "-";
  table[0xC3] = "..";
  table[0xC4] = "!";
  table[0xC5] = "?";
  table[0xC6] = "%";
  table[0xC7] = "/";
  table[0xC8] = ":";
  table[0xC9] = ",";
  table[0xFF] = " ";
  return table;
}

constexpr TextTable kTable = BuildTable();

// Character -> lowest byte with that one-character entry, or -1.
constexpr std::array<int, 256> BuildEncoding(const TextTable& table) {
  std::array<int, 256> encoding{};
  encoding.fill(-1);
  for (int byte = 255; byte >= 0; --byte) {
    const std::string_view entry = table[static_cast<std::size_t>(byte)];
    if (entry.size() == 1) encoding[static_cast<unsigned char>(entry[0])] = byte;
  }
  return encoding;
}

constexpr std::array<int, 256> kEncoding = BuildEncoding(BuildTable());

}  // namespace

const TextTable& LoadTable() {
  return kTable;
}

std::optional<std::uint8_t> EncodeCharacter(char character) {
  const int byte = kEncoding[static_cast<unsigned char>(character)];
  if (byte < 0) return std::nullopt;
  return static_cast<std::uint8_t>(byte);
}

}  // namespace torvale
