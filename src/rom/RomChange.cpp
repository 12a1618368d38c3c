#include "rom/RomChange.h"

#include <algorithm>
#include <utility>

#include "rom/RomError.h"

namespace torvale {

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
  const Side other = side == Side::kBefore ? Side::kAfter : Side::kBefore;
  const auto bytesOf = [](const Run& run, Side wanted) -> const std::vector<std::uint8_t>& {
    return wanted == Side::kBefore ? run.before : run.after;
  };
  std::size_t written = 0;
  try {
    for (; written < m_runs.size(); ++written) {
      rom.WriteBytes(m_runs[written].offset, bytesOf(m_runs[written], side));
    }
  } catch (const RomError& error) {
    // Every run written so far goes back; the one refused was put back by RomFile.
    for (std::size_t at = 0; at < written; ++at) {
      const Run& run = m_runs[at];
      try {
        rom.WriteBytes(run.offset, bytesOf(run, other));
        if (rom.ReadBytes(run.offset, run.before.size()) == bytesOf(run, other)) continue;
      } catch (const RomError&) {
        // told below, as a run that may hold neither side
      }
      throw RomTornError(rom.Path().string(), run.offset, run.before.size(), error.what());
    }
    throw;
  }
}

// Writes that overlap make one run: each byte holds what the first of them
// found and what the last of them left. A run that changed nothing goes.
RomChange RomChange::OfWrites(const std::vector<Run>& writes) {
  std::vector<const Run*> byOffset;
  for (const Run& write : writes) byOffset.push_back(&write);
  std::stable_sort(byOffset.begin(), byOffset.end(),
                   [](const Run* a, const Run* b) { return a->offset < b->offset; });
  std::vector<Run> runs;
  for (const Run* write : byOffset) {
    const std::size_t end = write->offset + write->after.size();
    if (runs.empty() || write->offset >= runs.back().offset + runs.back().after.size()) {
      runs.push_back({write->offset, {}, {}});
    }
    Run& run = runs.back();
    run.after.resize(std::max(run.after.size(), end - run.offset));
  }
  std::vector<std::vector<bool>> found(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    runs[i].before.resize(runs[i].after.size());
    found[i].resize(runs[i].after.size());
  }
  for (const Run& write : writes) {
    const auto within =
        std::upper_bound(runs.begin(), runs.end(), write.offset,
                         [](FileOffset at, const Run& run) { return at < run.offset; }) -
        1;
    std::vector<bool>& seen = found[static_cast<std::size_t>(within - runs.begin())];
    for (std::size_t at = 0; at < write.after.size(); ++at) {
      const std::size_t byte = write.offset - within->offset + at;
      if (!seen[byte]) within->before[byte] = write.before[at];
      seen[byte] = true;
      within->after[byte] = write.after[at];
    }
  }
  std::erase_if(runs, [](const Run& run) { return run.before == run.after; });
  return RomChange(std::move(runs));
}

RomChange RomChange::FollowedBy(const RomChange& later) const {
  std::vector<Run> writes = m_runs;
  writes.insert(writes.end(), later.m_runs.begin(), later.m_runs.end());
  return OfWrites(writes);
}

ChangeRecording::ChangeRecording(RomFile& rom) : m_rom(rom) {
  m_rom.ObserveWrites([this](FileOffset offset, std::span<const std::uint8_t> before,
                             std::span<const std::uint8_t> after) {
    m_writes.push_back({offset, {before.begin(), before.end()}, {after.begin(), after.end()}});
  });
}

ChangeRecording::~ChangeRecording() {
  m_rom.ObserveWrites({});
}

RomChange ChangeRecording::Take() {
  return RomChange::OfWrites(std::exchange(m_writes, {}));
}

}  // namespace torvale
