#pragma once

#include <random>

#include "TestRom.h"

namespace torvale::bench {

// An afternoon's edits of a ROM file: 400 short runs across the game's tables.
inline testing::Bytes AfternoonEdits(testing::Bytes rom) {
  std::mt19937 random(7);
  for (int run = 0; run < 400; ++run) {
    const std::size_t offset = 0x70000 + random() % 0x3B000;
    for (std::size_t i = 0; i < 1 + random() % 8; ++i) rom[offset + i] ^= 0x5A;
  }
  return rom;
}

}  // namespace torvale::bench
