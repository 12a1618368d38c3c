#pragma once

#include <cstdint>

namespace torvale {

// Prices and GP amounts share one byte encoding: below 128 the byte counts
// tens, from 128 on thousands.
inline constexpr int kMaximumAmount = 127000;

int DecodeAmount(std::uint8_t byte);
// Tens up to 1270, thousands above; halves go to the even neighbour.
std::uint8_t EncodeAmount(int amount);

}  // namespace torvale
