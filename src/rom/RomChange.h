#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "rom/RomFile.h"

namespace torvale {

// The bytes one action changed in the ROM file: runs of consecutive bytes,
// each with what it held before and after. A byte written with the value it
// already held is no part of it.
class RomChange {
 public:
  struct Run {
    FileOffset offset;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
  };
  enum class Side { kBefore, kAfter };
  // A byte of the file that does not hold what one side of the change says.
  struct Mismatch {
    FileOffset offset;
    std::uint8_t expected;
    std::uint8_t found;
  };

  RomChange() = default;
  explicit RomChange(std::vector<Run> runs) : m_runs(std::move(runs)) {}

  bool Empty() const { return m_runs.empty(); }
  const std::vector<Run>& Runs() const { return m_runs; }
  std::size_t ByteCount() const;

  // The first byte of the change that the file does not hold as `side` has
  // it, or nothing. Throws RomError.
  std::optional<Mismatch> FindMismatch(const RomFile& rom, Side side) const;
  // Writes `side`'s bytes, one write per run. If the system refuses a run,
  // the runs written before it are put back as they were, and the error is
  // thrown: the change is then wholly on the other side.
  void Write(RomFile& rom, Side side) const;

 private:
  std::vector<Run> m_runs;
};

// Records what the writes to `rom` change while it lives, by watching them.
class ChangeRecording {
 public:
  explicit ChangeRecording(RomFile& rom);
  ~ChangeRecording();
  ChangeRecording(const ChangeRecording&) = delete;
  ChangeRecording& operator=(const ChangeRecording&) = delete;

  // What the writes so far changed; the recording starts afresh.
  RomChange Take();

 private:
  RomFile& m_rom;
  std::map<FileOffset, std::pair<std::uint8_t, std::uint8_t>> m_bytes;  // first before, last after
};

}  // namespace torvale
