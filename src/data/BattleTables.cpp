#include "data/BattleTables.h"

namespace torvale {
namespace {

constexpr Field Item(std::string_view name, std::string_view label, FileOffset within) {
  return {.name = name,
          .label = label,
          .part = ItemsWonOffset,
          .within = within,
          .width = 1,
          .encoding = Encoding::kByte,
          .maximum = 255,
          .list = ListId::kItemNames};
}

constexpr Field Number(std::string_view name, std::string_view label, FileOffset (*part)(int),
                       FileOffset within) {
  return {.name = name,
          .label = label,
          .part = part,
          .within = within,
          .width = 1,
          .encoding = Encoding::kByte,
          .maximum = 255};
}

}  // namespace

const Table& ItemsWonTable() {
  static constexpr Field kFields[] = {
      Item("Slot1CBO", "Stolen", 0),
      Item("Slot2CBO", "Second", 1),
      Item("Slot3CBO", "Third", 2),
      Item("Slot4CBO", "Fourth", 3),
  };
  static constexpr Table kTable{"Items Won", kItemsWonCount, ListId::kItemsWonSlots, kFields};
  return kTable;
}

const Table& AttackDefenseTable() {
  static constexpr Field kFields[] = {
      Number("AtkxTXT", "Multiplier", AttackDefenseOffset, 0),
      Number("AtkPercentTXT", "Percent", AttackDefenseOffset, 1),
      Number("AtkBaseTXT", "Base", AttackDefenseOffset, 2),
  };
  static constexpr Table kTable{"Monster Attack/Defense", kAttackDefenseCount,
                                ListId::kAttackDefenseEntries, kFields};
  return kTable;
}

const Table& SpeedTable() {
  static constexpr Field kFields[] = {
      Number("AGILowTXT", "Low", SpeedOffset, 0),
      Number("AGIHighTXT", "High", SpeedOffset, 1),
  };
  static constexpr Table kTable{"Monster Speed", kSpeedCount, ListId::kSpeedEntries, kFields};
  return kTable;
}

std::vector<std::string> EntryTexts(const Table& table, const RomFile& rom) {
  const FileOffset length = static_cast<FileOffset>(table.fields.size());
  const FileOffset start = table.fields.front().part(0);
  // One read of the whole table: its entries are listed all at once.
  const std::vector<std::uint8_t> bytes = rom.ReadBytes(start, length * table.count);
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(table.count));
  for (FileOffset entry = 0; entry < static_cast<FileOffset>(table.count); ++entry) {
    std::string text;
    for (FileOffset field = 0; field < length; ++field) {
      if (field > 0) text += " - ";
      text += std::to_string(bytes[entry * length + field]);
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace torvale
