#pragma once

// What the fuzz targets share: their input read value by value, the sample
// image they work on, and the check that ends the process on a broken property.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "TestRom.h"
#include "rom/RomError.h"
#include "rom/RomIdentity.h"

namespace torvale::fuzz {

// Ends the process with a message when a property does not hold, so that the
// fuzzer keeps the input that broke it and a corpus replay fails.
void Require(bool holds, std::string_view property);

// Runs one read of `rom`; a range error is allowed only on a file too short
// for the editors. Returns whether the read was done.
template <typename Read>
bool Reading(const RomFile& rom, Read read) {
  try {
    read();
    return true;
  } catch (const RomRangeError&) {
    Require(rom.Size() < kMinimumRomSize, "a file long enough for the editors reads whole");
    return false;
  }
}

// Reads values off the front of a fuzz input. Once the input runs out every
// value reads as zero and every text as empty, so any input decodes to something.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : m_bytes(data, size) {}

  bool Empty() const { return m_bytes.empty(); }
  std::uint8_t Byte();
  // `count` bytes (at most 4), least significant first.
  std::uint32_t Number(int count);
  // A value in [0, count).
  int Below(int count) { return static_cast<int>(Number(2) % static_cast<std::uint32_t>(count)); }
  // A length byte, then that many bytes (fewer where the input ends).
  std::string Text() { return Bytes(Byte()); }
  // The next `count` bytes (fewer where the input ends).
  std::string Bytes(std::size_t count);
  // Everything not yet read; the input is empty afterwards.
  std::span<const std::uint8_t> Rest() { return std::exchange(m_bytes, {}); }

 private:
  std::span<const std::uint8_t> m_bytes;
};

// The sample image held in memory and opened through RomFile, shared by the
// inputs of a process: an input may change it, and the next one finds the
// sample again, at the cost of putting back only what was changed.
class FuzzRom {
 public:
  // The sample image, `length` bytes long (at most the image's), opened afresh
  // and watched by no one.
  static FuzzRom& Start(std::size_t length);
  // Tells `watch` of every write until the next Start: where, what it
  // replaced, what it wrote.
  void Watch(RomFile::WriteObserver watch) { m_watch = std::move(watch); }

  // Lays `bytes` over the file from `offset` on, as far as the file reaches.
  void Overlay(std::size_t offset, std::span<const std::uint8_t> bytes);
  RomFile& Rom() { return m_memory.rom; }
  const TextCodec& Text() const { return m_memory.text; }
  // What the file holds now.
  std::span<const std::uint8_t> Bytes() const {
    return {m_memory.file.bytes.data(), m_memory.file.length};
  }

 private:
  FuzzRom();

  testing::MemoryRom m_memory;
  std::vector<std::pair<std::size_t, std::size_t>>
      m_changed;  // offsets and lengths since the sample
  RomFile::WriteObserver m_watch;
};

}  // namespace torvale::fuzz
