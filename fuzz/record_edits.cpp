// Sequences of edits on the sample image.
//
// The input is read as a series of edits: a table, a record and the value of
// each of its fields, or one of the header fields that Save writes. After
// each edit the file keeps its length, no byte outside the edited record's
// fields changes, and the record reads back what was written.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzRom.h"
#include "data/Encodings.h"
#include "data/Magic.h"
#include "data/Tables.h"
#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"

namespace torvale::fuzz {
namespace {

// Enough to mix every kind of edit; more would only slow each input down.
constexpr int kMostEdits = 12;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

using Span = std::pair<std::size_t, std::size_t>;  // offset and length

bool Inside(std::size_t at, const std::vector<Span>& spans) {
  return std::any_of(spans.begin(), spans.end(), [at](const Span& span) {
    return at >= span.first && at < span.first + span.second;
  });
}

// A text of letters, each of which has a byte of its own.
std::string Letters(FuzzInput& input) {
  std::string text = input.Text();
  for (char& character : text)
    character = kLetters[static_cast<std::uint8_t>(character) % kLetters.size()];
  return text;
}

Value Drawn(const Field& field, FuzzInput& input) {
  if (field.encoding == Encoding::kText || field.encoding == Encoding::kBlankedText) {
    return Letters(input);
  }
  const auto range = static_cast<std::uint64_t>(field.maximum - field.minimum) + 1;
  return field.minimum + static_cast<std::int64_t>(input.Number(4) % range);
}

// What a written value reads back as.
Value ReadBack(const Field& field, const Value& written) {
  if (const auto* text = std::get_if<std::string>(&written)) {
    std::string shown = text->substr(0, field.width);
    shown.resize(field.width, ' ');
    return shown;
  }
  if (field.encoding == Encoding::kAmount || field.encoding == Encoding::kChestGp) {
    return std::int64_t{
        DecodeAmount(EncodeAmount(static_cast<int>(std::get<std::int64_t>(written))))};
  }
  return written;
}

// The byte that a record's hand and name index make.
std::optional<std::uint8_t> HandByte(const Table& table, const Record& values) {
  const auto number = [&](std::string_view name) {
    return static_cast<int>(std::get<std::int64_t>(values[FieldIndex(table, name)]));
  };
  return EncodeHand(static_cast<Hand>(number("HandLST")), number("NameIndexTXT"));
}

// A record of a table, each written field given a value from the input.
std::vector<Span> EditRecord(const Table& table, FuzzRom& file, FuzzInput& input) {
  const int record = input.Below(table.count);
  Record values(table.fields.size());
  std::vector<Span> spans;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Field& field = table.fields[i];
    spans.push_back({FieldOffset(field, record), field.width});
    if (field.access == Access::kWritten) values[i] = Drawn(field, input);
  }
  if (RefusalOf(table, values)) return spans;  // a window would refuse it: nothing is written
  WriteRecord(table, file.Rom(), record, values);
  const Record read = ReadRecord(table, file.Text(), file.Rom(), record);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Field& field = table.fields[i];
    // A chest keeps the parts of its kind only; the others read as nothing.
    if (field.access != Access::kWritten ||
        (MayHoldNothing(field) && std::holds_alternative<std::monostate>(read[i]))) {
      continue;
    }
    if (field.encoding == Encoding::kHand || field.encoding == Encoding::kNameIndex) {
      // A name index outside 0-63 carries into the hand bits: the byte reads back.
      Require(HandByte(table, read) == HandByte(table, values), "a hand-and-index byte reads back");
      continue;
    }
    Require(read[i] == ReadBack(field, values[i]), "a record reads back what was written");
  }
  return spans;
}

// One of the header fields Save writes, or the Asura bytes.
std::vector<Span> EditHeader(FuzzRom& file, FuzzInput& input) {
  RomFile& rom = file.Rom();
  switch (input.Below(5)) {
    case 0: {
      const std::string name = Letters(input);
      WriteRomName(rom, name);
      Require(ReadRomName(rom).starts_with(name.substr(0, kEditableNameLength)),
              "the internal name reads back");
      return {{kInternalNameOffset, kInternalNameLength}};
    }
    case 1: {
      constexpr std::string_view kCaptions[] = {"USA (NTSC)", "Japan (NTSC)",
                                                "Hong Kong/China (PAL)", "no country"};
      WriteCountryCode(rom, kCaptions[input.Below(4)]);
      return {{kCountryCodeOffset, 1}};
    }
    case 2:
      WriteEditTag(rom);
      Require(ReadEditedState(rom) == EditedState::kEdited, "a tagged ROM reads as edited");
      return {{kEditTagOffset, kEditTagLength}};
    case 3: {
      constexpr std::string_view kTypes[] = {kBlankedHeader, kSuperMagiCom, kSuperWildCard,
                                             kSuperUfo, kUnknownHeader};
      const WriteHeaderResult result =
          WriteHeaderTemplate(rom, kTypes[input.Below(5)], TORVALE_RESOURCES_DIR "/Header.dat");
      Require(result.outcome == WriteHeaderOutcome::kWritten, "the header templates are found");
      Require(result.headerType == kBlankedHeader || ReadHeaderType(rom) == result.headerType,
              "a copier header written from its template reads as its type");
      return {{0, kCopierTemplateLength}};
    }
    default:
      RestoreAsura(rom);
      Require(!CheckAsura(rom), "restored Asura bytes are restorable no more");
      return {{kAsuraOffset, 4}};
  }
}

}  // namespace
}  // namespace torvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale;
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  FuzzRom& file = FuzzRom::Start(romgen::kSampleRomSize);
  const auto tables = AllTables();
  for (int edit = 0; edit < kMostEdits && !input.Empty(); ++edit) {
    const int choice = input.Below(static_cast<int>(tables.size()) + 1);
    std::vector<std::size_t> changed;
    file.Watch([&](FileOffset offset, auto before, auto after) {
      for (std::size_t i = 0; i < after.size(); ++i) {
        if (before[i] != after[i]) changed.push_back(offset + i);
      }
    });
    const std::vector<Span> fields =
        choice == static_cast<int>(tables.size())
            ? EditHeader(file, input)
            : EditRecord(*tables[static_cast<std::size_t>(choice)], file, input);
    for (const std::size_t at : changed) {
      Require(Inside(at, fields), "an edit changes only its record's fields");
    }
    Require(file.Rom().Size() == romgen::kSampleRomSize &&
                file.Bytes().size() == romgen::kSampleRomSize,
            "no edit changes the file's length");
  }
  return 0;
}
