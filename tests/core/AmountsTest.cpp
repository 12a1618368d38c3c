#include <gtest/gtest.h>

#include <utility>

#include "data/amounts.h"

namespace torvale {
namespace {

TEST(Amounts, EveryByteDecodesToTensOrThousands) {
  for (int byte = 0; byte < 256; ++byte) {
    const int expected = byte < 128 ? byte * 10 : (byte - 128) * 1000;
    EXPECT_EQ(DecodeAmount(static_cast<std::uint8_t>(byte)), expected) << byte;
    // Written back, a price keeps its value; up to 1270 it takes the tens form.
    const int back = EncodeAmount(expected);
    EXPECT_EQ(DecodeAmount(static_cast<std::uint8_t>(back)), expected) << byte;
    if (expected <= 1270) {
      EXPECT_LT(back, 128) << byte;
    }
  }
}

TEST(Amounts, TypedPricesRoundHalvesToTheEvenNeighbour) {
  const std::pair<int, int> cases[] = {{0, 0},      {50, 5},     {55, 6},       {65, 6},
                                       {1260, 126}, {1265, 126}, {1269, 127},   {1270, 127},
                                       {1271, 129}, {1275, 129}, {1499, 129},   {1500, 130},
                                       {2500, 130}, {3500, 132}, {126500, 254}, {127000, 255}};
  for (const auto& [price, byte] : cases) EXPECT_EQ(EncodeAmount(price), byte) << price;
}

}  // namespace
}  // namespace torvale
