#pragma once

// The ROM files of the tests: synthetic images written to a temporary folder,
// or held in memory behind RomFile's I/O, and a whole-file comparison that
// names the first bytes that differ.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "rom/MemoryRomIo.h"
#include "rom/RomFile.h"
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
// The sample image, generated once, and the same with each (offset, bytes) put in place.
const Bytes& Sample();
Bytes SampleWith(std::initializer_list<std::pair<std::size_t, Bytes>> patches);
Bytes Ascii(const std::string& text);

// An image opened through RomFile in memory, with the text codec of the
// character table the program ships.
struct MemoryRom {
  explicit MemoryRom(Bytes image = Sample());

  MemoryRomIo file;
  RomFile rom{file};
  TextCodec text{std::filesystem::path(TORVALE_RESOURCES_DIR) / "FF2us.tbl", [] {}};
};

}  // namespace torvale::testing
