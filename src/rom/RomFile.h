#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rom/RomIo.h"

namespace torvale {

using FileOffset = std::uint32_t;

// The one open ROM file. It opens an existing regular file for reading and
// writing, holds an exclusive lock on it while open, and reads and writes bytes
// at named file offsets. Nothing here ever changes the file's length: a read or
// write past the end is refused, and every write first checks that the file is
// still the one that was opened. Errors are thrown as RomError.
class RomFile {
 public:
  explicit RomFile(RomIo& io = SystemRomIo());
  ~RomFile();
  RomFile(const RomFile&) = delete;
  RomFile& operator=(const RomFile&) = delete;

  // Refuses (RomOpenError) a missing name, a directory, a device, a file that
  // cannot be read and written, and a file locked by another program; nothing
  // is ever created. Closes any file open before.
  void Open(const std::filesystem::path& path);
  // Releases the file and its lock; closing a closed file is no error.
  void Close() noexcept;

  bool IsOpen() const { return m_fd >= 0; }
  const std::filesystem::path& Path() const { return m_path; }
  // The length of the file when it was opened; it never changes while open.
  std::uint64_t Size() const { return m_size; }

  std::uint8_t ReadByte(FileOffset offset) const;
  std::uint16_t ReadWord(FileOffset offset) const;
  std::int32_t ReadLong(FileOffset offset) const;
  // Exactly `length` bytes, one character per byte, no terminator.
  std::string ReadFixedText(FileOffset offset, std::size_t length) const;
  std::vector<std::uint8_t> ReadBytes(FileOffset offset, std::size_t length) const;
  // Fills `bytes` from `offset` on.
  void Read(FileOffset offset, std::span<std::uint8_t> bytes) const;

  void WriteByte(FileOffset offset, std::uint8_t value);
  void WriteWord(FileOffset offset, std::uint16_t value);
  void WriteLong(FileOffset offset, std::int32_t value);
  // The text left-aligned in a field of `length` bytes, padded with spaces, cut at length.
  void WriteFixedText(FileOffset offset, std::string_view text, std::size_t length);
  // Exactly as many bytes as the text has characters.
  void WriteText(FileOffset offset, std::string_view text);
  // One write of the whole run. If the system refuses part of it, the old
  // bytes are put back and read back: RomIoError when the field holds them
  // again, RomTornError when it may hold neither. Once written, the file's
  // length is checked again: RomChangedError when another program changed it.
  void WriteBytes(FileOffset offset, std::span<const std::uint8_t> bytes);
  struct Run {
    FileOffset offset;
    std::span<const std::uint8_t> bytes;
  };
  // Several runs in order, each in one write as WriteBytes writes it, the
  // file checked once before them and once after; a run refused is put back
  // as WriteBytes puts it back, and the runs before it stay written.
  void WriteRuns(std::span<const Run> runs);

  // Makes every write so far durable. A failure is thrown, never retried.
  void Sync();

  // Told of every write that lands: where, the bytes it replaced and the
  // bytes it wrote. One observer at a time; an empty function ends it.
  using WriteObserver = std::function<void(FileOffset offset, std::span<const std::uint8_t> before,
                                           std::span<const std::uint8_t> after)>;
  void ObserveWrites(WriteObserver observer) { m_observer = std::move(observer); }

 private:
  void RequireOpen() const;
  void RequireRange(FileOffset offset, std::size_t length) const;
  void RequireSameFile() const;
  bool WriteAll(FileOffset offset, std::span<const std::uint8_t> bytes);
  bool Holds(FileOffset offset, std::span<const std::uint8_t> bytes) const;
  // After a failed write: the field's old bytes, written again if need be and read back.
  void PutBack(FileOffset offset, std::span<const std::uint8_t> before, const std::string& reason);
  void RequireLengthKept() const;

  RomIo& m_io;
  int m_fd = -1;
  std::filesystem::path m_path;
  std::uint64_t m_size = 0;
  std::uint64_t m_device = 0;
  std::uint64_t m_inode = 0;
  WriteObserver m_observer;
};

}  // namespace torvale
