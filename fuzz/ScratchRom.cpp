#include "ScratchRom.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "Require.h"
#include "romgen/SyntheticRom.h"

namespace torvale::fuzz {
namespace {

constexpr std::size_t kBlockLength = 4096;

std::filesystem::path ScratchFolder() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

constexpr std::string_view kNamePrefix = "torvale-fuzz-";
constexpr std::string_view kNameSuffix = ".smc";

bool IsNumber(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Removes the scratch files of processes that have ended: a crash that the
// fuzzer catches ends its process before the file can be removed.
void RemoveStaleFiles(const std::filesystem::path& folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(kNamePrefix) || !name.ends_with(kNameSuffix)) continue;
    const std::string pid =
        name.substr(kNamePrefix.size(), name.size() - kNamePrefix.size() - kNameSuffix.size());
    if (IsNumber(pid) && !std::filesystem::exists("/proc/" + pid, error)) {
      std::filesystem::remove(entry, error);
    }
  }
}

void MissingTable() {
  std::fprintf(stderr, "the character table %s is missing\n", TORVALE_TEXT_TABLE);
  std::abort();
}

}  // namespace

ScratchRom::ScratchRom()
    : m_path(ScratchFolder() /
             (std::string(kNamePrefix) + std::to_string(::getpid()) + std::string(kNameSuffix))),
      m_codec(TORVALE_TEXT_TABLE, MissingTable) {
  RemoveStaleFiles(m_path.parent_path());
  m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  Require(m_fd >= 0, "the scratch ROM file can be created");
}

ScratchRom::~ScratchRom() {
  m_rom.Close();
  Unmap();
  ::close(m_fd);
  ::unlink(m_path.c_str());
}

void ScratchRom::Map(std::size_t length) {
  Unmap();
  Require(::ftruncate(m_fd, static_cast<off_t>(length)) == 0,
          "the scratch ROM file takes its length");
  if (length == 0) return;  // nothing to map
  void* view = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, m_fd, 0);
  Require(view != MAP_FAILED, "the scratch ROM file can be mapped");
  m_view = static_cast<const std::uint8_t*>(view);
  m_viewLength = length;
}

void ScratchRom::Unmap() {
  if (m_view != nullptr) ::munmap(const_cast<std::uint8_t*>(m_view), m_viewLength);
  m_view = nullptr;
  m_viewLength = 0;
}

void ScratchRom::Load(std::span<const std::uint8_t> bytes) {
  m_rom.Close();
  if (bytes.size() != m_viewLength) Map(bytes.size());
  for (std::size_t block = 0; block < bytes.size(); block += kBlockLength) {
    const std::size_t length = std::min(kBlockLength, bytes.size() - block);
    if (std::memcmp(m_view + block, bytes.data() + block, length) == 0) continue;
    Require(::pwrite(m_fd, bytes.data() + block, length, static_cast<off_t>(block)) ==
                static_cast<ssize_t>(length),
            "the scratch ROM file can be written");
  }
  m_rom.Open(m_path);
}

bool ScratchRom::Holds(std::span<const std::uint8_t> bytes) const {
  return Length() == bytes.size() &&
         (bytes.empty() || std::memcmp(m_view, bytes.data(), bytes.size()) == 0);
}

std::uint64_t ScratchRom::Length() const {
  struct stat info {};
  Require(::fstat(m_fd, &info) == 0, "the scratch ROM file can be measured");
  return static_cast<std::uint64_t>(info.st_size);
}

ScratchRom& SharedScratchRom() {
  static ScratchRom rom;
  return rom;
}

const Bytes& SampleImage() {
  static const Bytes image = romgen::BuildSampleRom();
  return image;
}

}  // namespace torvale::fuzz
