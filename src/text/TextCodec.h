#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "rom/RomError.h"
#include "rom/RomFile.h"

namespace torvale {

// A read abandoned because the character table file is missing; the program
// is ending.
class DataFileMissingError : public RomError {
 public:
  using RomError::RomError;
};

// Turns a fixed-width field of game text into a string and back, through the
// character table. Every read first checks that the character table file is
// installed; when it is not, `onMissingTable` tells the user and ends the
// program, and the read is abandoned.
class TextCodec {
 public:
  TextCodec(std::filesystem::path tableFile, std::function<void()> onMissingTable);

  // Each byte's table entry in file order: empty entries vanish, 0xC3 gives
  // "..", trailing spaces stay.
  std::string ReadText(const RomFile& rom, FileOffset offset, std::uint16_t length) const;
  // The text padded with spaces and cut to `length`; a character without a
  // byte leaves the file's byte as it was. One write of the whole field.
  void WriteText(RomFile& rom, FileOffset offset, std::string_view text,
                 std::uint16_t length) const;

 private:
  void RequireTable() const;

  std::filesystem::path m_tableFile;
  std::function<void()> m_onMissingTable;
};

}  // namespace torvale
