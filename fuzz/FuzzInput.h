#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace torvale::fuzz {

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
  int Below(int count);
  // A length byte, then that many bytes (fewer where the input ends).
  std::string Text();
  // The next `count` bytes (fewer where the input ends).
  std::string Bytes(std::size_t count);
  // Everything not yet read; the input is empty afterwards.
  std::span<const std::uint8_t> Rest();

 private:
  std::span<const std::uint8_t> m_bytes;
};

}  // namespace torvale::fuzz
