#pragma once

// The encodings of the game's fields that are more than a plain number:
// small pure functions, each the one place where its bytes are built.

#include <array>
#include <cstdint>
#include <optional>

namespace torvale {

// Prices and GP amounts share one byte encoding: below 128 the byte counts
// tens, from 128 on thousands.
inline constexpr int kMaximumAmount = 127000;

int DecodeAmount(std::uint8_t byte);
// Tens up to 1270, thousands above; halves go to the even neighbour.
std::uint8_t EncodeAmount(int amount);

// A character record's byte 0: the hand bits select the hand, the rest is the
// name index.
enum class Hand { kLeft = 0, kRight = 1, kBoth = 2 };
inline constexpr int kMinimumNameIndex = -64;  // a byte below 0x40 reads as a left hand
struct HandedIndex {
  Hand hand;
  int nameIndex;  // negative for a byte below 0x40
};
HandedIndex DecodeHand(std::uint8_t byte);
// The byte for a hand and name index; nothing when the sum leaves 0-255.
std::optional<std::uint8_t> EncodeHand(Hand hand, int nameIndex);

// A treasure chest's type and value bytes. Type 0x00-0x7F: GP; 0x80-0xBF: an
// item; 0xC0-0xFF: an item guarded by formation type - 0x80.
enum class ChestKind { kGp = 0, kItem = 1, kGuardedItem = 2 };
inline constexpr int kFormationCount = 128;
// Guarded chests store 0x80 + formation; below 64 that would read as unguarded.
inline constexpr int kLowestGuardFormation = 64;
struct Chest {
  ChestKind kind;
  int gp;         // for a GP chest
  int item;       // for an item chest, guarded or not
  int formation;  // for a guarded chest, 64-127
};
Chest DecodeChest(std::uint8_t type, std::uint8_t value);
// The type and value bytes; nothing for a guarded chest whose formation
// cannot guard one.
std::optional<std::array<std::uint8_t, 2>> EncodeChest(const Chest& chest);

// The icon in front of a spell's name.
enum class MagicIcon { kBlack = 0, kWhite = 1, kSummon = 2, kOther = 3 };
MagicIcon DecodeMagicIcon(std::uint8_t byte);

}  // namespace torvale
