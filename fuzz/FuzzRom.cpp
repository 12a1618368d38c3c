#include "FuzzRom.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace torvale::fuzz {

void Require(bool holds, std::string_view property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(property.size()),
               property.data());
  std::abort();
}

std::uint8_t FuzzInput::Byte() {
  const std::string byte = Bytes(1);
  return byte.empty() ? 0 : static_cast<std::uint8_t>(byte[0]);
}

std::uint32_t FuzzInput::Number(int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= std::uint32_t{Byte()} << (8 * i);
  return value;
}

std::string FuzzInput::Bytes(std::size_t count) {
  const std::size_t length = std::min(count, m_bytes.size());
  std::string bytes(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(length));
  m_bytes = m_bytes.subspan(length);
  return bytes;
}

FuzzRom::FuzzRom() {
  m_memory.rom.ObserveWrites([this](FileOffset offset, auto before, auto after) {
    m_changed.emplace_back(offset, after.size());
    if (m_watch) m_watch(offset, before, after);
  });
}

FuzzRom& FuzzRom::Start(std::size_t length) {
  static FuzzRom shared;
  MemoryRomIo& file = shared.m_memory.file;
  for (const auto& [offset, count] : shared.m_changed) {
    std::copy_n(testing::Sample().begin() + static_cast<long>(offset), count,
                file.bytes.begin() + static_cast<long>(offset));
  }
  shared.m_changed.clear();
  shared.m_watch = {};
  file.length = std::min(length, file.bytes.size());
  shared.m_memory.rom.Open(file.path);
  return shared;
}

void FuzzRom::Overlay(std::size_t offset, std::span<const std::uint8_t> bytes) {
  if (offset >= m_memory.file.length) return;
  const std::size_t count = std::min(bytes.size(), m_memory.file.length - offset);
  std::copy_n(bytes.begin(), count, m_memory.file.bytes.begin() + static_cast<long>(offset));
  m_changed.emplace_back(offset, count);
}

}  // namespace torvale::fuzz
