#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "rom/RomIo.h"

namespace torvale {

// A file held in memory: RomFile opens it by its name, reads and writes it,
// and never learns that it is not on a disk. It is never locked against
// anyone and never grows.
class MemoryRomIo final : public RomIo {
 public:
  explicit MemoryRomIo(std::vector<std::uint8_t> content,
                       std::filesystem::path name = "/memory/rom.smc")
      : bytes(std::move(content)), path(std::move(name)), length(bytes.size()) {}

  std::vector<std::uint8_t> bytes;
  std::filesystem::path path;
  // The file's length: the bytes past it are not the file's, so that a file
  // can be shortened and lengthened again without copying.
  std::size_t length;

  int Open(const std::filesystem::path& name) override;
  void Close(int) override {}
  int Lock(int) override { return 0; }
  int Identify(int fd, FileIdentity& identity) override;
  int IdentifyPath(const std::filesystem::path& name, FileIdentity& identity) override;
  long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) override;
  long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) override;
  int Sync(int) override { return 0; }
};

}  // namespace torvale
