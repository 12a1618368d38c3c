#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "TestRom.h"
#include "rom/RomError.h"
#include "rom/RomIdentity.h"

namespace torvale::fuzz {

using testing::Bytes;

// Ends the process with a message when a property does not hold, so that the
// fuzzer keeps the input that broke it and a corpus replay fails.
void Require(bool holds, std::string_view property);

// Runs one read of `rom`; a range error is allowed only on a file too short
// for the editors.
template <typename Read>
void Reading(const RomFile& rom, Read read) {
  try {
    read();
  } catch (const RomRangeError&) {
    Require(rom.Size() < kMinimumRomSize, "a file long enough for the editors reads whole");
  }
}

// The sample image held in memory and opened through RomFile, shared by the
// inputs of a process: an input may change it, and the next one finds the
// sample again, at the cost of putting back only what was changed.
class FuzzRom {
 public:
  // The sample image, `length` bytes long (at most the image's), opened afresh.
  static FuzzRom& Start(std::size_t length);

  // Lays `bytes` over the file from `offset` on, as far as the file reaches.
  void Overlay(std::size_t offset, std::span<const std::uint8_t> bytes);
  RomFile& Rom() { return m_memory.rom; }
  const TextCodec& Text() const { return m_memory.text; }
  // What the file holds now.
  std::span<const std::uint8_t> Bytes() const {
    return {m_memory.file.bytes.data(), m_memory.file.length};
  }
  // Told of every write until the next Start: where, what it replaced, what it wrote.
  std::function<void(std::size_t offset, std::span<const std::uint8_t> before,
                     std::span<const std::uint8_t> after)>
      onWrite;

 private:
  FuzzRom();

  testing::MemoryRom m_memory;
  std::vector<std::pair<std::size_t, std::size_t>> m_changed;  // since the sample
};

}  // namespace torvale::fuzz
