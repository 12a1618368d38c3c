#include "data/amounts.h"

namespace torvale {
namespace {

constexpr std::uint8_t kThousandsForm = 128;
constexpr int kLargestTensAmount = 1270;

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

}  // namespace torvale
