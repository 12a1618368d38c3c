#include "TestRom.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace torvale::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "torvale-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
  Bytes bytes(std::filesystem::file_size(path));
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

std::filesystem::path WriteRom(const TempFolder& folder, const Bytes& rom,
                               const std::string& name) {
  const std::filesystem::path path = folder.File(name);
  romgen::WriteFileBytes(path, rom);
  return path;
}

std::string DescribeDifferences(const Bytes& expected, const Bytes& actual) {
  if (expected == actual) return {};
  std::ostringstream out;
  if (expected.size() != actual.size()) {
    out << "size " << actual.size() << ", expected " << expected.size() << "; ";
  }
  int shown = 0;
  const std::size_t common = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common && shown < 8; ++i) {
    if (expected[i] == actual[i]) continue;
    out << std::hex << std::uppercase << "0x" << i << ": 0x" << int{actual[i]} << " expected 0x"
        << int{expected[i]} << "; ";
    ++shown;
  }
  return out.str();
}

Bytes Patched(Bytes rom, std::size_t offset, const Bytes& bytes) {
  std::copy(bytes.begin(), bytes.end(), rom.begin() + static_cast<std::ptrdiff_t>(offset));
  return rom;
}

const Bytes& Sample() {
  static const Bytes sample = romgen::BuildSampleRom();
  return sample;
}

Bytes SampleWith(std::initializer_list<std::pair<std::size_t, Bytes>> patches) {
  Bytes image = Sample();
  for (const auto& [offset, bytes] : patches) image = Patched(std::move(image), offset, bytes);
  return image;
}

Bytes Ascii(const std::string& text) {
  return {text.begin(), text.end()};
}

MemoryRom::MemoryRom(Bytes image) : file(std::move(image)) {
  rom.Open(file.path);
}

}  // namespace torvale::testing
