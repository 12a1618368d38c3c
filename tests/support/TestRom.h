#pragma once

// The ROM files of the tests: synthetic images written to a temporary folder,
// or held in memory behind RomFile's I/O, and a whole-file comparison that
// names the first bytes that differ.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "rom/RomFile.h"
#include "rom/RomIo.h"
#include "romgen/SyntheticRom.h"
#include "text/TextCodec.h"

namespace torvale::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path File(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

Bytes ReadFileBytes(const std::filesystem::path& path);
// Writes `rom` into `folder` under `name` and returns the file's path.
std::filesystem::path WriteRom(const TempFolder& folder, const Bytes& rom,
                               const std::string& name = "test.smc");

// Empty when equal; otherwise the sizes or the first differing offsets and bytes.
std::string DescribeDifferences(const Bytes& expected, const Bytes& actual);
// `rom` with `bytes` put at `offset`: the file a test expects after a write.
Bytes Patched(Bytes rom, std::size_t offset, const Bytes& bytes);
Bytes Ascii(const std::string& text);

// A file held in memory: RomFile opens it by its name, reads and writes it,
// and never learns that it is not on a disk.
class MemoryFile final : public RomIo {
 public:
  MemoryFile(Bytes content, std::filesystem::path name = "/memory/test.smc")
      : bytes(std::move(content)), path(std::move(name)), length(bytes.size()) {}

  Bytes bytes;
  std::filesystem::path path;
  // The file's length: the bytes past it are not the file's, so that a file
  // can be shortened and lengthened again without copying.
  std::size_t length;
  // Told of every write that lands: its offset, the bytes it replaced and
  // the bytes it wrote.
  std::function<void(std::size_t offset, std::span<const std::uint8_t> before,
                     std::span<const std::uint8_t> after)>
      onWrite;

  int Open(const std::filesystem::path& name) override;
  void Close(int) override {}
  int Lock(int) override { return 0; }
  int Identify(int fd, FileIdentity& identity) override;
  int IdentifyPath(const std::filesystem::path& name, FileIdentity& identity) override;
  long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) override;
  long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) override;
  int Sync(int) override { return 0; }
};

// The character table the program ships, for a codec that needs its file.
std::filesystem::path ShippedTextTable();

// An image opened through RomFile in memory, with the program's text codec.
struct MemoryRom {
  explicit MemoryRom(Bytes image = romgen::BuildSampleRom());

  MemoryFile file;
  RomFile rom{file};
  TextCodec text{ShippedTextTable(), [] {}};
};

}  // namespace torvale::testing
