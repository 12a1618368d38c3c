#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "rom/RomFile.h"

namespace torvale {

// The 512-byte header that cartridge copiers put in front of the game image.
inline constexpr FileOffset kCopierFieldAOffset = 0x002;
inline constexpr FileOffset kCopierFieldBOffset = 0x008;
inline constexpr std::size_t kCopierTemplateLength = 32;
inline constexpr std::size_t kHeaderTemplateCount = 4;
inline constexpr std::uint64_t kHeaderlessRomSize = 1'048'576;
// Where a headerless file keeps its internal name; quoted when it is refused.
inline constexpr FileOffset kHeaderlessNameOffset = 0x7FC0;
inline constexpr std::size_t kHeaderlessNameLength = 22;

inline constexpr std::string_view kSuperMagiCom = "Super MagiCom";
inline constexpr std::string_view kSuperWildCard = "Super Wild Card";
inline constexpr std::string_view kSuperUfo = "Super UFO 8/Pro Fighter X";
inline constexpr std::string_view kUnknownHeader = "Unknown Header";
inline constexpr std::string_view kBlankedHeader = "Blanked Copier Header";

// The caption of the first header type whose two fields both match, else "Unknown Header".
std::string_view HeaderTypeOf(std::uint32_t fieldA, std::uint32_t fieldB);
// The header type of the open file.
std::string_view ReadHeaderType(const RomFile& rom);

// The refusal message for a file without a copier header, or nothing when it has one.
std::optional<std::string> CheckHeader(const RomFile& rom);

enum class WriteHeaderOutcome {
  kWritten,          // the template was written
  kNoTemplate,       // the chosen type names no template; nothing written
  kTemplateMissing,  // the template file is gone or too short; nothing written
};
struct WriteHeaderResult {
  WriteHeaderOutcome outcome;
  std::string headerType;  // the chosen type to show afterwards
};
// Rewrites file offsets 0x000..0x01F from the template of the chosen type,
// read anew from `templateFile`. An unknown header becomes a Super MagiCom one.
WriteHeaderResult WriteHeaderTemplate(RomFile& rom, std::string_view chosenType,
                                      const std::filesystem::path& templateFile);

}  // namespace torvale
