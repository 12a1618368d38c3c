#include "data/FieldCodecs.h"

#include <stdexcept>
#include <string>

#include "data/Encodings.h"
#include "rom/CopierHeader.h"
#include "rom/InternalHeader.h"
#include "text/TextCodec.h"
#include "text/TextTable.h"

namespace torvale {
namespace {

using Bytes = std::span<std::uint8_t>;
using Stored = std::span<const std::uint8_t>;

constexpr std::uint8_t kLowSevenBits = 0x7F;
constexpr std::uint8_t kHighBit = 0x80;

std::int64_t NumberOf(const Value& value) {
  if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
  throw std::invalid_argument("a field without a number was to be written");
}

const std::string& TextOf(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  throw std::invalid_argument("a field without a text was to be written");
}

std::int64_t Word(Stored bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}

void PutWord(Bytes bytes, std::size_t at, std::int64_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutText(Bytes bytes, const std::vector<std::uint8_t>& text) {
  std::copy(text.begin(), text.end(), bytes.begin());
}

Chest ChestIn(Stored bytes) {
  return DecodeChest(bytes[0], bytes[1]);
}

// Encodings, each as its decode and its encode.

Value DecodeByte(Stored bytes) {
  return std::int64_t{bytes[0]};
}
void EncodeByte(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  bytes[0] = static_cast<std::uint8_t>(NumberOf(value));
}

Value DecodeWord(Stored bytes) {
  return Word(bytes, 0);
}
void EncodeWord(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  PutWord(bytes, 0, NumberOf(value));
}

Value DecodeLong(Stored bytes) {
  return std::int64_t{static_cast<std::int32_t>(Word(bytes, 0) | Word(bytes, 2) << 16)};
}
void EncodeLong(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  PutWord(bytes, 0, NumberOf(value));
  PutWord(bytes, 2, NumberOf(value) >> 16);
}

Value DecodeAmountByte(Stored bytes) {
  return std::int64_t{DecodeAmount(bytes[0])};
}
void EncodeAmountByte(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  bytes[0] = EncodeAmount(static_cast<int>(NumberOf(value)));
}

Value DecodeGameText(Stored bytes) {
  return DecodeText(bytes);
}
void EncodeGameText(const Value& value, const GroupValues&, Bytes bytes, Stored stored) {
  PutText(bytes, EncodeText(TextOf(value), stored));
}
// A character without a byte leaves a space.
void EncodeBlankedText(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  std::string text = TextOf(value);
  for (char& character : text) {
    if (!EncodeCharacter(character)) character = ' ';
  }
  PutText(bytes, EncodeText(text, bytes));
}

Value DecodeLowSevenBits(Stored bytes) {
  return std::int64_t{bytes[0] & kLowSevenBits};
}
void EncodeLowSevenBits(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  bytes[0] |= static_cast<std::uint8_t>(NumberOf(value) & kLowSevenBits);
}

Value DecodeHighBit(Stored bytes) {
  return std::int64_t{bytes[0] >> 7};
}
void EncodeHighBit(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  bytes[0] |= NumberOf(value) != 0 ? kHighBit : 0;
}

// Two words that hold one value: both are written, one of them is shown.
Value DecodeFirstOfPair(Stored bytes) {
  return Word(bytes, 0);
}
Value DecodeSecondOfPair(Stored bytes) {
  return Word(bytes, 2);
}
void EncodeWordPair(const Value& value, const GroupValues&, Bytes bytes, Stored) {
  PutWord(bytes, 0, NumberOf(value));
  PutWord(bytes, 2, NumberOf(value));
}

// A part written by the field that decides what its bits mean.
void WrittenWithTheOther(const Value&, const GroupValues&, Bytes, Stored) {}

const Value& Member(const GroupValues& group, Encoding encoding) {
  static const Value kNothing;
  const Value* value = group[static_cast<std::size_t>(encoding)];
  return value != nullptr ? *value : kNothing;
}

int PartOf(const GroupValues& group, Encoding encoding) {
  const auto* number = std::get_if<std::int64_t>(&Member(group, encoding));
  return number != nullptr ? static_cast<int>(*number) : 0;
}

// A character record's byte 0: the hand and the name index together.
Value DecodeHandBits(Stored bytes) {
  return std::int64_t{static_cast<int>(DecodeHand(bytes[0]).hand)};
}
void EncodeHandAndIndex(const Value& value, const GroupValues& group, Bytes bytes, Stored) {
  const auto byte = EncodeHand(static_cast<Hand>(NumberOf(value)),
                               static_cast<int>(NumberOf(Member(group, Encoding::kNameIndex))));
  if (!byte) throw std::invalid_argument("a name index outside its hand's byte");
  bytes[0] = *byte;
}

Value DecodeNameIndex(Stored bytes) {
  return std::int64_t{DecodeHand(bytes[0]).nameIndex};
}

// A chest's type byte says its kind (and a guard's formation), its value byte
// what it holds; the parts its kind does not use hold no value. The kind
// writes both bytes.
Value DecodeChestKind(Stored bytes) {
  return std::int64_t{static_cast<int>(ChestIn(bytes).kind)};
}
void EncodeChest(const Value& value, const GroupValues& group, Bytes bytes, Stored) {
  const Chest chest{static_cast<ChestKind>(NumberOf(value)), PartOf(group, Encoding::kChestGp),
                    PartOf(group, Encoding::kChestItem), PartOf(group, Encoding::kChestFormation)};
  const auto encoded = torvale::EncodeChest(chest);
  if (!encoded) throw std::invalid_argument("a guarded chest without a formation that guards");
  std::copy(encoded->begin(), encoded->end(), bytes.begin());
}

Value DecodeChestGp(Stored bytes) {
  const Chest chest = ChestIn(bytes);
  if (chest.kind != ChestKind::kGp) return {};
  return std::int64_t{chest.gp};
}

Value DecodeChestItem(Stored bytes) {
  const Chest chest = ChestIn(bytes);
  if (chest.kind == ChestKind::kGp) return {};
  return std::int64_t{chest.item};
}

Value DecodeChestFormation(Stored bytes) {
  const Chest chest = ChestIn(bytes);
  if (chest.kind != ChestKind::kGuardedItem) return {};
  return std::int64_t{chest.formation};
}

// Shown only, never written.

Value DecodeMagicIconByte(Stored bytes) {
  return std::int64_t{static_cast<int>(DecodeMagicIcon(bytes[0]))};
}

Value DecodePlainText(Stored bytes) {
  return std::string(bytes.begin(), bytes.end());
}

Value DecodeCopierHeaderType(Stored bytes) {
  const auto field = [&](std::size_t at) {
    return static_cast<std::uint32_t>(Word(bytes, at) | Word(bytes, at + 2) << 16);
  };
  return std::string(HeaderTypeOf(field(kCopierFieldAOffset), field(kCopierFieldBOffset)));
}

// A country's caption, or the number of an unknown one.
Value DecodeCountry(Stored bytes) {
  if (const auto caption = CountryCaption(bytes[0])) return std::string(*caption);
  return std::int64_t{bytes[0]};
}

Value DecodeVersion(Stored bytes) {
  return std::string(VersionCaption(bytes[0]));
}

// In the order of Encoding.
constexpr FieldCodec kCodecs[] = {
    {DecodeByte, EncodeByte},
    {DecodeWord, EncodeWord},
    {DecodeLong, EncodeLong},
    {DecodeAmountByte, EncodeAmountByte},
    {DecodeGameText, EncodeGameText, true},
    {DecodeGameText, EncodeBlankedText},
    {DecodeLowSevenBits, EncodeLowSevenBits},
    {DecodeHighBit, EncodeHighBit},
    {DecodeFirstOfPair, EncodeWordPair},
    {DecodeSecondOfPair, EncodeWordPair},
    {DecodeHandBits, EncodeHandAndIndex},
    {DecodeNameIndex, WrittenWithTheOther},
    {DecodeChestKind, EncodeChest},
    {DecodeChestGp, WrittenWithTheOther},
    {DecodeChestItem, WrittenWithTheOther},
    {DecodeChestFormation, WrittenWithTheOther},
    {DecodeMagicIconByte, nullptr},
    {DecodePlainText, nullptr},
    {DecodeCopierHeaderType, nullptr},
    {DecodeCountry, nullptr},
    {DecodeVersion, nullptr},
};
static_assert(std::size(kCodecs) == kEncodingCount);

}  // namespace

const FieldCodec& CodecOf(Encoding encoding) {
  return kCodecs[static_cast<std::size_t>(encoding)];
}

}  // namespace torvale
