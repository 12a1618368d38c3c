#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "data/Table.h"

namespace torvale {

inline constexpr std::size_t kEncodingCount = static_cast<std::size_t>(Encoding::kVersion) + 1;
// The values of the written fields that share a field's bytes, by encoding;
// none for an encoding none of them has.
using GroupValues = std::array<const Value*, kEncodingCount>;

// How an encoding reads the value a field's bytes stand for, and writes a
// value into them. The fields that share their bytes write into the same
// bytes in turn, each its bits, starting from zeros; where one value decides
// what another's bits mean (a hand and its name index, a chest's kind and its
// contents), the deciding field writes the bytes from the group's values and
// the others leave them. `stored` is what the file holds there, for text
// whose characters without a byte keep theirs.
struct FieldCodec {
  Value (*decode)(std::span<const std::uint8_t> bytes);
  // Nothing for a field that is only shown.
  void (*encode)(const Value& value, const GroupValues& group, std::span<std::uint8_t> bytes,
                 std::span<const std::uint8_t> stored);
  bool readsStored = false;  // whether encode looks at `stored`
};

const FieldCodec& CodecOf(Encoding encoding);

}  // namespace torvale
