#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "rom/RomFile.h"

namespace torvale {

// The bytes one action changed in the ROM file: runs of consecutive bytes,
// each with what it held before and after. A run is the extent of the writes
// that made it (one write per field), unchanged bytes inside included, so
// that writing it again never tears a field; a write that changed nothing is
// no part of it.
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
  // What writes made, given in the order they were made: each its offset,
  // the bytes it replaced and the bytes it wrote.
  static RomChange OfWrites(const std::vector<Run>& writes);
  // This change, then `later` over it: one change from before this to after that.
  RomChange FollowedBy(const RomChange& later) const;

  bool Empty() const { return m_runs.empty(); }
  const std::vector<Run>& Runs() const { return m_runs; }

  // The first byte of the change that the file does not hold as `side` has
  // it, or nothing. Throws RomError.
  std::optional<Mismatch> FindMismatch(const RomFile& rom, Side side) const;
  // Writes `side`'s bytes, one write per run. If the system refuses a run,
  // the runs written before it are put back and read back, and the error is
  // thrown: the change is then wholly on the other side. When that cannot be
  // made sure, RomTornError names the run that may hold neither side.
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
  std::vector<RomChange::Run> m_writes;  // every write so far, in order
};

}  // namespace torvale
