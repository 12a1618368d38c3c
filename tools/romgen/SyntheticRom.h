#pragma once

// Builds synthetic ROM images for the tests and for the sample file a new user
// opens. Every name and value in the image is invented; nothing comes from a
// real cartridge.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace torvale::romgen {

// 512-byte copier header followed by a 1 MiB game image.
inline constexpr std::size_t kSampleRomSize = 1'049'088;

using RomBytes = std::vector<std::uint8_t>;

// Item numbers whose names exercise the corners of the text codec.
inline constexpr std::size_t kBlankNameItem = 0;            // all eight bytes 0xFF
inline constexpr std::size_t kDoubleDotNameItem = 0xB4;     // holds byte 0xC3
inline constexpr std::size_t kSecondSmallLNameItem = 0xB5;  // holds byte 0xBF
inline constexpr std::size_t kUnmappedByteNameItem = 0xB6;  // holds byte 0x10

// A complete image of kSampleRomSize bytes: a Super MagiCom copier header, the
// internal header and every data table filled with invented, plausible bytes,
// the rest a fixed pseudo-random filler. The same bytes on every call.
RomBytes BuildSampleRom();

// Overwrite bytes at a file offset; throw std::out_of_range when any byte
// would land past the end of rom.
void PutBytes(RomBytes& rom, std::size_t offset, std::initializer_list<std::uint8_t> bytes);
void PutAscii(RomBytes& rom, std::size_t offset, std::string_view text);  // one byte per char
void PutWord(RomBytes& rom, std::size_t offset, std::uint16_t value);     // little-endian
void PutLong(RomBytes& rom, std::size_t offset, std::uint32_t value);     // little-endian

// Encodes text with the game's character table: exactly length bytes, padded
// with 0xFF (space) and cut at length. A character the table cannot encode
// throws std::invalid_argument.
std::vector<std::uint8_t> EncodeGameText(std::string_view text, std::size_t length);

// Writes `bytes` to `path`, replacing any file there; throws
// std::runtime_error when the file cannot be written completely.
void WriteFileBytes(const std::filesystem::path& path, const RomBytes& bytes);

}  // namespace torvale::romgen
