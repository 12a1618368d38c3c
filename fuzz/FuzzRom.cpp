#include "FuzzRom.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace torvale::fuzz {
namespace {

const testing::Bytes& Sample() {
  static const testing::Bytes sample = romgen::BuildSampleRom();
  return sample;
}

}  // namespace

void Require(bool holds, std::string_view property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(property.size()),
               property.data());
  std::abort();
}

FuzzRom::FuzzRom() : m_memory(Sample()) {
  m_memory.file.onWrite = [this](std::size_t offset, std::span<const std::uint8_t> before,
                                 std::span<const std::uint8_t> after) {
    m_changed.emplace_back(offset, after.size());
    if (onWrite) onWrite(offset, before, after);
  };
}

FuzzRom& FuzzRom::Start(std::size_t length) {
  static FuzzRom shared;
  for (const auto& [offset, count] : shared.m_changed) {
    std::copy_n(Sample().begin() + static_cast<long>(offset), count,
                shared.m_memory.file.bytes.begin() + static_cast<long>(offset));
  }
  shared.m_changed.clear();
  shared.onWrite = {};
  shared.m_memory.file.length = std::min(length, Sample().size());
  shared.m_memory.rom.Open(shared.m_memory.file.path);
  return shared;
}

void FuzzRom::Overlay(std::size_t offset, std::span<const std::uint8_t> bytes) {
  if (offset >= m_memory.file.length) return;
  const std::size_t count = std::min(bytes.size(), m_memory.file.length - offset);
  std::copy_n(bytes.begin(), count, m_memory.file.bytes.begin() + static_cast<long>(offset));
  m_changed.emplace_back(offset, count);
}

}  // namespace torvale::fuzz
