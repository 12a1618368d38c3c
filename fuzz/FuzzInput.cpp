#include "FuzzInput.h"

#include <algorithm>

namespace torvale::fuzz {

std::uint8_t FuzzInput::Byte() {
  if (m_bytes.empty()) return 0;
  const std::uint8_t byte = m_bytes.front();
  m_bytes = m_bytes.subspan(1);
  return byte;
}

std::uint32_t FuzzInput::Number(int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= std::uint32_t{Byte()} << (8 * i);
  return value;
}

int FuzzInput::Below(int count) {
  return static_cast<int>(Number(2) % static_cast<std::uint32_t>(count));
}

std::string FuzzInput::Text() {
  const std::uint8_t wanted = Byte();  // before measuring what is left
  return Bytes(wanted);
}

std::string FuzzInput::Bytes(std::size_t count) {
  const std::size_t length = std::min(count, m_bytes.size());
  std::string bytes(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(length));
  m_bytes = m_bytes.subspan(length);
  return bytes;
}

std::span<const std::uint8_t> FuzzInput::Rest() {
  const std::span<const std::uint8_t> rest = m_bytes;
  m_bytes = {};
  return rest;
}

}  // namespace torvale::fuzz
