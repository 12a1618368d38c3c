#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "rom/RomFile.h"
#include "text/TextCodec.h"

namespace torvale::fuzz {

using Bytes = std::vector<std::uint8_t>;

// The ROM file a fuzz target works on, opened through RomFile like any other.
// It lies in /dev/shm (tmpfs, or the temporary folder where there is none) so
// that rewriting it for every input costs no disk I/O. A memfd would need no
// name at all, but it has no link in any folder, and RomFile rightly refuses to
// write to a file whose last link is gone. The name carries the process id, so
// parallel runs never share a file; it is removed when the process ends, or by
// the next process when a crash ended this one first.
class ScratchRom {
 public:
  ScratchRom();
  ~ScratchRom();
  ScratchRom(const ScratchRom&) = delete;
  ScratchRom& operator=(const ScratchRom&) = delete;

  // Makes `bytes` the whole file and opens it afresh through Rom(). Only the
  // blocks that differ from what the file holds are written: most inputs
  // change a few bytes of a megabyte.
  void Load(std::span<const std::uint8_t> bytes);
  RomFile& Rom() { return m_rom; }
  const TextCodec& Codec() const { return m_codec; }

  // What the file holds now, seen through a read-only shared mapping of its
  // own, past RomFile, so that checking a whole file after each edit costs no copy.
  std::span<const std::uint8_t> View() const { return {m_view, m_viewLength}; }
  // Whether the file holds exactly `bytes`.
  bool Holds(std::span<const std::uint8_t> bytes) const;
  // The file's length as the system reports it.
  std::uint64_t Length() const;

 private:
  void Map(std::size_t length);
  void Unmap();

  std::filesystem::path m_path;
  int m_fd = -1;
  const std::uint8_t* m_view = nullptr;
  std::size_t m_viewLength = 0;
  RomFile m_rom;
  TextCodec m_codec;
};

// One per process: creating a file for every input would only cost time.
ScratchRom& SharedScratchRom();

// The synthetic sample image the targets lay their inputs over, built once.
const Bytes& SampleImage();

}  // namespace torvale::fuzz
