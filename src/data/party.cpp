#include "data/party.h"

namespace torvale {
namespace {

constexpr FileOffset kHandByte = 0x00;
constexpr FileOffset kSpecialByte = 0x01;
constexpr FileOffset kLevelByte = 0x02;
constexpr FileOffset kHpWords[] = {0x07, 0x09};  // shown: the second
constexpr FileOffset kMpWords[] = {0x0B, 0x0D};  // shown: the first
constexpr FileOffset kFirstStatByte = 0x0F;
constexpr FileOffset kExperienceLong = 0x17;

constexpr int kHandOffsets[] = {0x40, 0x80, 0xC0};

}  // namespace

HandedIndex DecodeHand(std::uint8_t byte0) {
  if (byte0 < 0x80) return {Hand::kLeft, byte0 - 0x40};
  if (byte0 < 0xC0) return {Hand::kRight, byte0 - 0x80};
  return {Hand::kBoth, byte0 - 0xC0};
}

std::optional<std::uint8_t> EncodeHand(Hand hand, int nameIndex) {
  const int byte = nameIndex + kHandOffsets[static_cast<int>(hand)];
  if (byte < 0 || byte > 255) return std::nullopt;
  return static_cast<std::uint8_t>(byte);
}

Character ReadCharacter(const TextCodec& codec, const RomFile& rom, int slot) {
  const FileOffset record = CharacterRecordOffset(slot);
  Character values;
  values.byte0 = rom.ReadByte(record + kHandByte);
  values.special = rom.ReadByte(record + kSpecialByte);
  values.level = rom.ReadByte(record + kLevelByte);
  for (std::size_t stat = 0; stat < values.stats.size(); ++stat) {
    values.stats[stat] = rom.ReadByte(record + kFirstStatByte + static_cast<FileOffset>(stat));
  }
  values.experience = rom.ReadLong(record + kExperienceLong);
  values.name = codec.ReadText(rom, CharacterNameOffset(slot), kCharacterNameLength);
  values.hp = rom.ReadWord(record + kHpWords[1]);
  values.mp = rom.ReadWord(record + kMpWords[0]);
  return values;
}

void WriteCharacter(const TextCodec& codec, RomFile& rom, int slot, const Character& values) {
  const FileOffset record = CharacterRecordOffset(slot);
  rom.WriteByte(record + kLevelByte, values.level);
  // The HP pair, the MP pair and the five stats lie side by side: one write,
  // in the same order, so that a refused write leaves all of them as they were.
  const auto low = [](std::uint16_t word) { return static_cast<std::uint8_t>(word); };
  const auto high = [](std::uint16_t word) { return static_cast<std::uint8_t>(word >> 8); };
  const std::array<std::uint8_t, 13> wordsAndStats = {
      low(values.hp),  high(values.hp), low(values.hp),  high(values.hp), low(values.mp),
      high(values.mp), low(values.mp),  high(values.mp), values.stats[0], values.stats[1],
      values.stats[2], values.stats[3], values.stats[4]};
  static_assert(kHpWords[0] + 2 == kHpWords[1] && kHpWords[1] + 2 == kMpWords[0] &&
                kMpWords[0] + 2 == kMpWords[1] && kMpWords[1] + 2 == kFirstStatByte);
  rom.WriteBytes(record + kHpWords[0], wordsAndStats);
  codec.WriteText(rom, CharacterNameOffset(slot), values.name, kCharacterNameLength);
  rom.WriteByte(record + kHandByte, values.byte0);
  rom.WriteByte(record + kSpecialByte, values.special);
}

Equipment ReadEquipment(const RomFile& rom, int slot) {
  Equipment values{};
  rom.Read(EquipmentRecordOffset(slot), values);
  return values;
}

void WriteEquipment(RomFile& rom, int slot, const Equipment& values) {
  const FileOffset record = EquipmentRecordOffset(slot);
  for (std::size_t field = 0; field < values.size(); ++field) {
    rom.WriteByte(record + static_cast<FileOffset>(field), values[field]);
  }
}

}  // namespace torvale
