#include "data/Table.h"

#include <algorithm>
#include <stdexcept>

#include "data/Encodings.h"
#include "data/FieldCodecs.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

bool IsText(Encoding encoding) {
  return encoding == Encoding::kText || encoding == Encoding::kBlankedText;
}

bool IsWritten(const Field& field) {
  return field.access == Access::kWritten;
}

bool SharesBytes(const Field& a, const Field& b) {
  return a.part == b.part && a.within == b.within && a.width == b.width;
}

// The values of a hand-and-index byte or of a chest: the written fields that
// share the bytes of field `member`. A part without a value reads as -1.
struct Group {
  std::optional<int> hand;
  std::optional<int> nameIndex;
  std::optional<Chest> chest;
};

Group GroupOf(const Table& table, std::size_t member, const Record& values) {
  Group group;
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    const Field& field = table.fields[i];
    if (!IsWritten(field) || !SharesBytes(field, table.fields[member])) continue;
    const auto* number = std::get_if<std::int64_t>(&values[i]);
    const int value = number == nullptr ? -1 : static_cast<int>(*number);
    switch (field.encoding) {
      case Encoding::kHand:
        group.hand = value;
        break;
      case Encoding::kNameIndex:
        group.nameIndex = value;
        break;
      case Encoding::kChestKind:
        if (!group.chest) group.chest = Chest{};
        group.chest->kind = static_cast<ChestKind>(value);
        break;
      case Encoding::kChestGp:
        if (!group.chest) group.chest = Chest{};
        group.chest->gp = value;
        break;
      case Encoding::kChestItem:
        if (!group.chest) group.chest = Chest{};
        group.chest->item = value;
        break;
      case Encoding::kChestFormation:
        if (!group.chest) group.chest = Chest{};
        group.chest->formation = value;
        break;
      default:
        break;
    }
  }
  return group;
}

// Whether a chest of this kind uses the part of it that `field` holds.
bool ChestNeeds(const Field& field, ChestKind kind) {
  switch (field.encoding) {
    case Encoding::kChestGp:
      return kind == ChestKind::kGp;
    case Encoding::kChestItem:
      return kind != ChestKind::kGp;
    default:
      return kind == ChestKind::kGuardedItem;
  }
}

// The bytes of the written fields that share the bytes of field `first`.
std::vector<std::uint8_t> EncodeGroup(const Table& table, std::size_t first, const Record& values,
                                      const RomFile& rom, FileOffset offset) {
  const Field& lead = table.fields[first];
  std::vector<std::size_t> members;
  GroupValues group{};
  bool readsStored = false;
  for (std::size_t i = first; i < table.fields.size(); ++i) {
    const Field& field = table.fields[i];
    if (!IsWritten(field) || !SharesBytes(field, lead)) continue;
    if (CodecOf(field.encoding).encode == nullptr) {
      throw std::invalid_argument("a field that is only shown was to be written");
    }
    members.push_back(i);
    group[static_cast<std::size_t>(field.encoding)] = &values[i];
    readsStored = readsStored || CodecOf(field.encoding).readsStored;
  }
  const std::vector<std::uint8_t> stored =
      readsStored ? rom.ReadBytes(offset, lead.width) : std::vector<std::uint8_t>();
  std::vector<std::uint8_t> bytes(lead.width, 0);
  for (const std::size_t i : members) {
    CodecOf(table.fields[i].encoding).encode(values[i], group, bytes, stored);
  }
  return bytes;
}

}  // namespace

FileOffset FieldOffset(const Field& field, int record) {
  return field.part(record) + field.within;
}

bool HasField(const Field& field, int record) {
  return field.records == 0 || record < field.records;
}

const Field& FieldNamed(const Table& table, std::string_view name) {
  return table.fields[FieldIndex(table, name)];
}

std::size_t FieldIndex(const Table& table, std::string_view name) {
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    if (table.fields[i].name == name) return i;
  }
  throw std::invalid_argument("no field named " + std::string(name));
}

bool MayHoldNothing(const Field& field) {
  return field.encoding == Encoding::kChestGp || field.encoding == Encoding::kChestItem ||
         field.encoding == Encoding::kChestFormation;
}

std::vector<int> RecordsChanged(const Table& table, const RomChange& change) {
  std::vector<int> records;
  for (int record = 0; record < table.count; ++record) {
    const bool changed = std::any_of(table.fields.begin(), table.fields.end(), [&](const Field& f) {
      if (!HasField(f, record)) return false;
      const FileOffset start = FieldOffset(f, record);
      return std::any_of(
          change.Runs().begin(), change.Runs().end(), [&](const RomChange::Run& run) {
            return run.offset < start + f.width && start < run.offset + run.after.size();
          });
    });
    if (changed) records.push_back(record);
  }
  return records;
}

bool IsUsed(const Table& table, const Record& values, std::size_t field) {
  if (!MayHoldNothing(table.fields[field])) return true;
  const Group group = GroupOf(table, field, values);
  return group.chest && ChestNeeds(table.fields[field], group.chest->kind);
}

Value DecodeField(const Field& field, std::span<const std::uint8_t> bytes) {
  return CodecOf(field.encoding).decode(bytes);
}

Record ReadRecord(const Table& table, const TextCodec& text, const RomFile& rom, int record) {
  Record values;
  values.reserve(table.fields.size());
  std::vector<std::uint8_t> bytes;
  const Field* read = nullptr;  // the field whose bytes `bytes` holds
  for (const Field& field : table.fields) {
    const FileOffset offset = FieldOffset(field, record);
    if (IsText(field.encoding)) {
      values.emplace_back(text.ReadText(rom, offset, field.width));
      continue;
    }
    // Fields that share their bytes read them once.
    if (read == nullptr || !SharesBytes(*read, field)) bytes = rom.ReadBytes(offset, field.width);
    read = &field;
    values.push_back(DecodeField(field, bytes));
  }
  return values;
}

std::optional<std::string> RefusalOf(const Table& table, const Record& values) {
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    const Field& field = table.fields[i];
    if (!IsWritten(field)) continue;
    const std::string label = "\"" + std::string(field.label) + "\"";
    const auto* number = std::get_if<std::int64_t>(&values[i]);
    if (std::holds_alternative<std::monostate>(values[i])) {
      if (MayHoldNothing(field) && !ChestNeeds(field, GroupOf(table, i, values).chest->kind)) {
        continue;
      }
      if (!field.missing.empty()) return std::string(field.missing);
      return label + " has no value.";
    }
    if (number != nullptr && (*number < field.minimum || *number > field.maximum)) {
      return label + " takes a value from " + std::to_string(field.minimum) + " to " +
             std::to_string(field.maximum) + ".";
    }
    const Group group = GroupOf(table, i, values);
    if (field.encoding == Encoding::kNameIndex && group.hand &&
        !EncodeHand(static_cast<Hand>(*group.hand), group.nameIndex.value_or(0))) {
      return "The name index " + std::to_string(*number) + " with \"" +
             FixedEntries(ListId::kHands)[static_cast<std::size_t>(*group.hand)] +
             "\" makes a byte outside 0 to 255.";
    }
    if (field.encoding == Encoding::kChestFormation &&
        group.chest->kind == ChestKind::kGuardedItem && !EncodeChest(*group.chest)) {
      return "A chest guarded by monsters needs a Monster Formation from " +
             std::to_string(kLowestGuardFormation) + " to " + std::to_string(kFormationCount - 1) +
             "; formation " + std::to_string(*number) + " would be stored as an unguarded chest.";
    }
  }
  return std::nullopt;
}

void WriteRecord(const Table& table, RomFile& rom, int record, const Record& values) {
  const NumberedRecord one{record, &values};
  WriteRecords(table, rom, {&one, 1});
}

void WriteRecords(const Table& table, RomFile& rom, std::span<const NumberedRecord> records) {
  struct Piece {
    FileOffset offset;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Piece> pieces;
  for (const auto& [record, values] : records) {
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
      const Field& field = table.fields[i];
      if (!IsWritten(field)) continue;
      bool grouped = false;
      for (std::size_t before = 0; before < i && !grouped; ++before) {
        grouped = IsWritten(table.fields[before]) && SharesBytes(table.fields[before], field);
      }
      if (grouped) continue;
      const FileOffset offset = FieldOffset(field, record);
      std::vector<std::uint8_t> bytes = EncodeGroup(table, i, *values, rom, offset);
      if (!pieces.empty() && pieces.back().offset + pieces.back().bytes.size() == offset) {
        pieces.back().bytes.insert(pieces.back().bytes.end(), bytes.begin(), bytes.end());
      } else {
        pieces.push_back({offset, std::move(bytes)});
      }
    }
  }
  std::vector<RomFile::Run> runs;
  runs.reserve(pieces.size());
  for (const Piece& piece : pieces) runs.push_back({piece.offset, piece.bytes});
  rom.WriteRuns(runs);
}

}  // namespace torvale
