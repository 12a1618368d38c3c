#include "TestRom.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace torvale::testing {
namespace {

constexpr int kMemoryFd = 3;

}  // namespace

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

Bytes Ascii(const std::string& text) {
  return {text.begin(), text.end()};
}

int MemoryFile::Open(const std::filesystem::path& name) {
  if (name == path) return kMemoryFd;
  errno = ENOENT;
  return -1;
}

int MemoryFile::Identify(int, FileIdentity& identity) {
  identity = {true, length, 1, 1, 1};
  return 0;
}

int MemoryFile::IdentifyPath(const std::filesystem::path& name, FileIdentity& identity) {
  if (name != path) {
    errno = ENOENT;
    return -1;
  }
  return Identify(kMemoryFd, identity);
}

long MemoryFile::ReadAt(int, void* buffer, std::size_t count, std::int64_t offset) {
  const auto start = static_cast<std::size_t>(offset);
  if (start >= length) return 0;
  count = std::min(count, length - start);
  std::memcpy(buffer, bytes.data() + start, count);
  return static_cast<long>(count);
}

long MemoryFile::WriteAt(int, const void* buffer, std::size_t count, std::int64_t offset) {
  const auto start = static_cast<std::size_t>(offset);
  if (start + count > length) {
    errno = EFBIG;  // a file in memory never grows
    return -1;
  }
  const Bytes before(bytes.begin() + static_cast<long>(start),
                     bytes.begin() + static_cast<long>(start + count));
  std::memcpy(bytes.data() + start, buffer, count);
  if (onWrite) onWrite(start, before, {bytes.data() + start, count});
  return static_cast<long>(count);
}

std::filesystem::path ShippedTextTable() {
  return std::filesystem::path(TORVALE_RESOURCES_DIR) / "FF2us.tbl";
}

MemoryRom::MemoryRom(Bytes image) : file(std::move(image)) {
  rom.Open(file.path);
}

}  // namespace torvale::testing
