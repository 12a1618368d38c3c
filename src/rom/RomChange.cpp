#include "rom/RomChange.h"

#include "rom/RomError.h"

namespace torvale {

std::size_t RomChange::ByteCount() const {
  std::size_t count = 0;
  for (const Run& run : m_runs) count += run.before.size();
  return count;
}

std::optional<RomChange::Mismatch> RomChange::FindMismatch(const RomFile& rom, Side side) const {
  for (const Run& run : m_runs) {
    const std::vector<std::uint8_t>& expected = side == Side::kBefore ? run.before : run.after;
    const std::vector<std::uint8_t> found = rom.ReadBytes(run.offset, expected.size());
    for (std::size_t at = 0; at < found.size(); ++at) {
      if (found[at] != expected[at]) {
        return Mismatch{static_cast<FileOffset>(run.offset + at), expected[at], found[at]};
      }
    }
  }
  return std::nullopt;
}

void RomChange::Write(RomFile& rom, Side side) const {
  const auto bytesOf = [side](const Run& run, bool wanted) -> const std::vector<std::uint8_t>& {
    return (side == Side::kBefore) == wanted ? run.before : run.after;
  };
  std::size_t written = 0;
  try {
    for (; written < m_runs.size(); ++written) {
      rom.WriteBytes(m_runs[written].offset, bytesOf(m_runs[written], true));
    }
  } catch (const RomError&) {
    for (std::size_t run = 0; run < written; ++run) {
      try {
        rom.WriteBytes(m_runs[run].offset, bytesOf(m_runs[run], false));
      } catch (const RomError&) {
        // Best effort: the first error is the one to report.
      }
    }
    throw;
  }
}

ChangeRecording::ChangeRecording(RomFile& rom) : m_rom(rom) {
  m_rom.ObserveWrites([this](FileOffset offset, std::span<const std::uint8_t> before,
                             std::span<const std::uint8_t> after) {
    for (std::size_t at = 0; at < after.size(); ++at) {
      const auto byteOffset = static_cast<FileOffset>(offset + at);
      // A byte written as it was is kept only once an earlier write changed it.
      const auto byte = m_bytes.find(byteOffset);
      if (byte != m_bytes.end()) {
        byte->second.second = after[at];
      } else if (before[at] != after[at]) {
        m_bytes.emplace(byteOffset, std::pair{before[at], after[at]});
      }
    }
  });
}

ChangeRecording::~ChangeRecording() {
  m_rom.ObserveWrites({});
}

RomChange ChangeRecording::Take() {
  std::vector<RomChange::Run> runs;
  for (const auto& [offset, values] : m_bytes) {
    const auto [before, after] = values;
    if (before == after) continue;
    if (runs.empty() || runs.back().offset + runs.back().before.size() != offset) {
      runs.push_back({offset, {}, {}});
    }
    runs.back().before.push_back(before);
    runs.back().after.push_back(after);
  }
  m_bytes.clear();
  return RomChange(std::move(runs));
}

}  // namespace torvale
