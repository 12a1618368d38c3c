#include "rom/CopierHeader.h"

#include <array>
#include <fstream>

namespace torvale {
namespace {

struct HeaderSignature {
  std::string_view type;
  std::uint32_t fieldA;
  std::uint32_t fieldB;
};

// Tested in this order; the first row whose two fields both match wins.
constexpr std::array kSignatures = {
    HeaderSignature{kSuperMagiCom, 0x00000000, 0x0004BBAA},
    HeaderSignature{kSuperWildCard, 0x00000004, 0x0004BBAA},
    HeaderSignature{kSuperUfo, 0x83770000, 0x00000000},
};

struct TemplateChoice {
  std::string_view chosenType;
  std::size_t templateIndex;  // position in the template file, 32 bytes each
  std::string_view typeAfter;
};

constexpr std::array kTemplateChoices = {
    TemplateChoice{kBlankedHeader, 0, kBlankedHeader},
    TemplateChoice{kSuperMagiCom, 1, kSuperMagiCom},
    TemplateChoice{kSuperWildCard, 2, kSuperWildCard},
    TemplateChoice{kSuperUfo, 3, kSuperUfo},
    TemplateChoice{kUnknownHeader, 1, kSuperMagiCom},
};

std::optional<std::array<char, kCopierTemplateLength>> ReadTemplate(
    const std::filesystem::path& templateFile, std::size_t index) {
  std::error_code error;
  if (std::filesystem::file_size(templateFile, error) <
          kHeaderTemplateCount * kCopierTemplateLength ||
      error) {
    return std::nullopt;
  }
  std::ifstream in(templateFile, std::ios::binary);
  std::array<char, kCopierTemplateLength> bytes{};
  in.seekg(static_cast<std::streamoff>(index * kCopierTemplateLength));
  if (!in.read(bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

}  // namespace

std::string_view HeaderTypeOf(std::uint32_t fieldA, std::uint32_t fieldB) {
  for (const HeaderSignature& signature : kSignatures) {
    if (signature.fieldA == fieldA && signature.fieldB == fieldB) return signature.type;
  }
  return kUnknownHeader;
}

std::string_view ReadHeaderType(const RomFile& rom) {
  return HeaderTypeOf(static_cast<std::uint32_t>(rom.ReadLong(kCopierFieldAOffset)),
                      static_cast<std::uint32_t>(rom.ReadLong(kCopierFieldBOffset)));
}

std::optional<std::string> CheckHeader(const RomFile& rom) {
  const std::string name = rom.ReadFixedText(kHeaderlessNameOffset, kHeaderlessNameLength);
  if (rom.Size() != kHeaderlessRomSize) return std::nullopt;
  return "The ROM: [ " + name +
         " ] that you are attempting to load either has an missing header or is not Final "
         "Fantasy 2 US. \r\n"
         "In order for you to be able to edit this ROM file you will need to have a valid 200 "
         "byte header that cartridge copiers put when the ROM is copied.  \r\n"
         "The ROM will be unloaded and you will need to load a valid ROM file.";
}

WriteHeaderResult WriteHeaderTemplate(RomFile& rom, std::string_view chosenType,
                                      const std::filesystem::path& templateFile) {
  for (const TemplateChoice& choice : kTemplateChoices) {
    if (choice.chosenType != chosenType) continue;
    const auto bytes = ReadTemplate(templateFile, choice.templateIndex);
    if (!bytes) return {WriteHeaderOutcome::kTemplateMissing, std::string(chosenType)};
    rom.WriteText(0, {bytes->data(), bytes->size()});
    return {WriteHeaderOutcome::kWritten, std::string(choice.typeAfter)};
  }
  return {WriteHeaderOutcome::kNoTemplate, std::string(chosenType)};
}

}  // namespace torvale
