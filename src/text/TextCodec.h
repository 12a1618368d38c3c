#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rom/RomError.h"
#include "rom/RomFile.h"

namespace torvale {

// A read abandoned because the character table file is missing; the program
// is ending.
class DataFileMissingError : public RomError {
 public:
  using RomError::RomError;
};

// Each byte's table entry in order: empty entries vanish, 0xC3 gives "..",
// trailing spaces stay.
std::string DecodeText(std::span<const std::uint8_t> bytes);
// The field's bytes for `text`, padded with spaces and cut to the field; a
// character without a byte keeps the byte in `stored`.
std::vector<std::uint8_t> EncodeText(std::string_view text, std::span<const std::uint8_t> stored);

// Turns a fixed-width field of game text into a string and back, through the
// character table. Every read first checks that the character table file is
// installed; when it is not, `onMissingTable` tells the user and ends the
// program, and the read is abandoned.
class TextCodec {
 public:
  TextCodec(std::filesystem::path tableFile, std::function<void()> onMissingTable);

  // The field decoded by DecodeText.
  std::string ReadText(const RomFile& rom, FileOffset offset, std::uint16_t length) const;
  // `count` fields of `length` bytes, `stride` bytes apart from `first`: a
  // table of names, read in one go.
  std::vector<std::string> ReadTexts(const RomFile& rom, FileOffset first, std::size_t stride,
                                     std::uint16_t length, int count) const;
  // The field encoded by EncodeText over what it holds: one write of the whole field.
  void WriteText(RomFile& rom, FileOffset offset, std::string_view text,
                 std::uint16_t length) const;

 private:
  void RequireTable() const;

  std::filesystem::path m_tableFile;
  std::function<void()> m_onMissingTable;
};

}  // namespace torvale
