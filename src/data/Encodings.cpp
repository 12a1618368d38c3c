#include "data/Encodings.h"

namespace torvale {
namespace {

constexpr std::uint8_t kThousandsForm = 128;
constexpr int kLargestTensAmount = 1270;

constexpr int kHandOffsets[] = {0x40, 0x80, 0xC0};

constexpr std::uint8_t kItemChest = 0x80;
constexpr std::uint8_t kGuardedChest = 0xC0;

// a / b rounded to the nearest whole number, a half to the even neighbour.
int DivideRoundingHalfToEven(int a, int b) {
  const int quotient = a / b;
  const int twiceRemainder = 2 * (a % b);
  if (twiceRemainder > b || (twiceRemainder == b && quotient % 2 == 1)) return quotient + 1;
  return quotient;
}

}  // namespace

int DecodeAmount(std::uint8_t byte) {
  if (byte < kThousandsForm) return byte * 10;
  return (byte - kThousandsForm) * 1000;
}

std::uint8_t EncodeAmount(int amount) {
  if (amount <= kLargestTensAmount) {
    return static_cast<std::uint8_t>(DivideRoundingHalfToEven(amount, 10));
  }
  return static_cast<std::uint8_t>(kThousandsForm + DivideRoundingHalfToEven(amount, 1000));
}

HandedIndex DecodeHand(std::uint8_t byte) {
  if (byte < 0x80) return {Hand::kLeft, byte - 0x40};
  if (byte < 0xC0) return {Hand::kRight, byte - 0x80};
  return {Hand::kBoth, byte - 0xC0};
}

std::optional<std::uint8_t> EncodeHand(Hand hand, int nameIndex) {
  if (hand < Hand::kLeft || hand > Hand::kBoth) return std::nullopt;
  const int byte = nameIndex + kHandOffsets[static_cast<int>(hand)];
  if (byte < 0 || byte > 255) return std::nullopt;
  return static_cast<std::uint8_t>(byte);
}

Chest DecodeChest(std::uint8_t type, std::uint8_t value) {
  if (type < kItemChest) return {ChestKind::kGp, DecodeAmount(value), 0, 0};
  if (type < kGuardedChest) return {ChestKind::kItem, 0, value, 0};
  return {ChestKind::kGuardedItem, 0, value, type - kItemChest};
}

std::optional<std::array<std::uint8_t, 2>> EncodeChest(const Chest& chest) {
  switch (chest.kind) {
    case ChestKind::kGp:
      return std::array<std::uint8_t, 2>{0x00, EncodeAmount(chest.gp)};
    case ChestKind::kItem:
      return std::array<std::uint8_t, 2>{kItemChest, static_cast<std::uint8_t>(chest.item)};
    case ChestKind::kGuardedItem:
      if (chest.formation < kLowestGuardFormation || chest.formation >= kFormationCount) break;
      return std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(kItemChest + chest.formation),
                                         static_cast<std::uint8_t>(chest.item)};
  }
  return std::nullopt;
}

MagicIcon DecodeMagicIcon(std::uint8_t byte) {
  switch (byte) {
    case 0x3F:
      return MagicIcon::kBlack;
    case 0x40:
      return MagicIcon::kWhite;
    case 0x41:
      return MagicIcon::kSummon;
    default:
      return MagicIcon::kOther;
  }
}

}  // namespace torvale
