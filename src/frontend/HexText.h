#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace torvale::frontend {

// "0x01F0": a number as the program shows offsets, bytes and checksums, in
// uppercase hexadecimal of at least `digits` digits.
QString HexNumber(std::uint64_t value, int digits);
// "12 34 AB …": the first `shown` bytes of a run, and an ellipsis for the rest.
QString HexBytes(std::span<const std::uint8_t> bytes, std::size_t shown);

}  // namespace torvale::frontend
