#include "patch/CleanRom.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "patch/PatchError.h"
#include "rom/InternalHeader.h"
#include "rom/RomIdentity.h"
#include "rom/RomImage.h"

namespace torvale {
namespace {

// "The same game" is judged by the internal header bytes that no edit in the
// editor touches and that tell releases apart: map mode, cartridge type, ROM
// and SRAM sizes, maker and version. The title is left out, since the user
// may rename the ROM in the main window, and so is the country code, which the
// main window edits too; the check words change with every edit.
constexpr std::size_t kTitleImageOffset = kInternalNameOffset - kCopierHeaderSize;
constexpr std::array<std::pair<std::size_t, std::string_view>, 6> kGameFields = {{
    {kTitleImageOffset + 0x15, "map mode"},
    {kTitleImageOffset + 0x16, "cartridge type"},
    {kTitleImageOffset + 0x17, "ROM size"},
    {kTitleImageOffset + 0x18, "SRAM size"},
    {kTitleImageOffset + 0x1A, "maker code"},
    {kTitleImageOffset + 0x1B, "version"},
}};
// The image must reach past the HiROM title, the last thing judged.
constexpr std::size_t kImageHoldingTitles = 0x101C0 + 15 - kCopierHeaderSize;

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::filesystem::path& path)
      : m_path(path), m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)) {
    if (m_fd < 0) Fail("could not be read (" + std::string(std::strerror(errno)) + ")");
  }
  ~ReadOnlyFile() {
    if (m_fd >= 0) ::close(m_fd);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  std::uint64_t RegularFileSize() const {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) Fail("is not a regular file");
    return static_cast<std::uint64_t>(info.st_size);
  }

  // Fills `bytes` from the file's start.
  void Read(std::span<std::uint8_t> bytes) const {
    const std::size_t length = bytes.size();
    std::size_t done = 0;
    while (done < length) {
      const ssize_t got =
          ::pread(m_fd, bytes.data() + done, length - done, static_cast<off_t>(done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) Fail("could not be read (" + std::string(std::strerror(errno)) + ")");
      if (got == 0) Fail("ended early while it was read");
      done += static_cast<std::size_t>(got);
    }
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw PatchError("The clean ROM \"" + m_path.string() + "\" " + what + ".");
  }

 private:
  std::filesystem::path m_path;
  int m_fd;
};

// Judged as a ROM being opened is: by its titles, then by the header bytes
// that tell releases apart.
void RequireSameGame(const ReadOnlyFile& file, std::span<const std::uint8_t> clean,
                     std::span<const std::uint8_t> open) {
  if (open.size() < kImageHoldingTitles) {
    file.Fail("cannot be compared: the open ROM's image is too short to hold an internal header");
  }
  const Release release = ReleaseOf(clean);
  if (release == Release::kOtherGame || release != ReleaseOf(open)) {
    file.Fail("is " + std::string(ReleaseName(release)) + ", and the open ROM is " +
              std::string(ReleaseName(ReleaseOf(open))));
  }
  for (const auto& [offset, field] : kGameFields) {
    if (clean[offset] != open[offset]) {
      file.Fail("is not the same game as the open ROM: the " + std::string(field) +
                " in its internal header differs");
    }
  }
}

}  // namespace

CleanRom ReadCleanRom(const std::filesystem::path& cleanRom,
                      std::span<const std::uint8_t> openImage) {
  const ReadOnlyFile file(cleanRom);
  const std::uint64_t size = file.RegularFileSize();
  const std::uint64_t imageSize = openImage.size();
  if (size != imageSize && size != imageSize + kCopierHeaderSize) {
    file.Fail("holds " + std::to_string(size) + " bytes; a clean ROM of the open game holds " +
              std::to_string(imageSize) + " bytes, or " +
              std::to_string(imageSize + kCopierHeaderSize) + " with a copier header");
  }
  CleanRom clean{std::vector<std::uint8_t>(kCopierHeaderSize + imageSize), size > imageSize};
  file.Read(std::span(clean.file).subspan(clean.hasHeader ? 0 : kCopierHeaderSize));
  RequireSameGame(file, clean.Image(), openImage);
  return clean;
}

void LayOutLike(CleanRom& clean, std::span<const std::uint8_t> openFile) {
  if (!clean.hasHeader) std::copy_n(openFile.begin(), kCopierHeaderSize, clean.file.begin());
}

}  // namespace torvale
