#include "text/TextCodec.h"

#include <unistd.h>

#include <array>
#include <span>
#include <vector>

#include "text/TextTable.h"

namespace torvale {

TextCodec::TextCodec(std::filesystem::path tableFile, std::function<void()> onMissingTable)
    : m_tableFile(std::move(tableFile)), m_onMissingTable(std::move(onMissingTable)) {}

void TextCodec::RequireTable() const {
  if (::access(m_tableFile.c_str(), F_OK) == 0) return;
  m_onMissingTable();
  throw DataFileMissingError("\"" + m_tableFile.string() + "\" is missing");
}

std::string TextCodec::ReadText(const RomFile& rom, FileOffset offset, std::uint16_t length) const {
  RequireTable();
  // Names are short: read into the stack, allocate only the result.
  std::array<std::uint8_t, 64> shortField;
  std::vector<std::uint8_t> longField;
  if (length > shortField.size()) longField.resize(length);
  const std::span<std::uint8_t> bytes =
      longField.empty() ? std::span<std::uint8_t>(shortField.data(), length) : longField;
  rom.Read(offset, bytes);
  return DecodeText(bytes);
}

std::vector<std::string> TextCodec::ReadTexts(const RomFile& rom, FileOffset first,
                                              std::size_t stride, std::uint16_t length,
                                              int count) const {
  RequireTable();
  const auto fields = static_cast<std::size_t>(count);
  const std::vector<std::uint8_t> bytes = rom.ReadBytes(first, stride * (fields - 1) + length);
  std::vector<std::string> texts;
  texts.reserve(fields + 1);  // room for a list's closing entry
  for (std::size_t field = 0; field < fields; ++field) {
    texts.push_back(DecodeText(std::span(bytes).subspan(stride * field, length)));
  }
  return texts;
}

void TextCodec::WriteText(RomFile& rom, FileOffset offset, std::string_view text,
                          std::uint16_t length) const {
  rom.WriteBytes(offset, EncodeText(text, rom.ReadBytes(offset, length)));
}

std::string DecodeText(std::span<const std::uint8_t> bytes) {
  const TextTable& table = LoadTable();
  std::string text;
  text.reserve(bytes.size() + 2);
  for (const std::uint8_t byte : bytes) text += table[byte];
  return text;
}

std::vector<std::uint8_t> EncodeText(std::string_view text, std::span<const std::uint8_t> stored) {
  std::vector<std::uint8_t> field(stored.begin(), stored.end());
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char character = i < text.size() ? text[i] : ' ';
    if (const auto byte = EncodeCharacter(character)) field[i] = *byte;
  }
  return field;
}

}  // namespace torvale
