#include "romgen/SyntheticSpc.h"

#include <algorithm>
#include <stdexcept>

namespace torvale::romgen {

namespace {

constexpr std::string_view kSignature = "SNES-SPC700 Sound File Data v0.30";
constexpr std::uint8_t kMarker = 26;
constexpr std::uint8_t kMinorVersion = 30;

// Sound processor registers at start.
constexpr std::size_t kPcOffset = 0x25;
constexpr std::size_t kPswOffset = 0x2A;
constexpr std::size_t kSpOffset = 0x2B;

// Text tag fields: offset and length.
struct Field {
  std::size_t offset;
  std::size_t length;
};
constexpr Field kTitleField{0x2E, 32};
constexpr Field kGameField{0x4E, 32};
constexpr Field kDumperField{0x6E, 16};
constexpr Field kCommentField{0x7E, 32};
constexpr Field kDateField{0x9E, 11};
constexpr Field kSecondsField{0xA9, 3};
constexpr Field kFadeField{0xAC, 5};
constexpr Field kArtistField{0xB1, 32};

constexpr std::size_t kRamOffset = 0x100;
constexpr std::size_t kDspOffset = 0x10100;
constexpr std::uint16_t kProgramAddress = 0x0400;
constexpr std::uint8_t kDspFlags = 0x6C;  // the DSP's reset, mute and echo switches

void PutText(std::vector<std::uint8_t>& file, Field field, std::string_view text) {
  const std::size_t length = std::min(text.size(), field.length);
  std::copy_n(text.begin(), length, file.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

}  // namespace

std::vector<std::uint8_t> BuildSyntheticSpc(std::string_view game, std::string_view title) {
  std::vector<std::uint8_t> file(kSpcFileSize, 0);
  PutText(file, {0, kSignature.size()}, kSignature);
  file[0x21] = kMarker;
  file[0x22] = kMarker;
  file[0x23] = kMarker;  // a tag follows
  file[0x24] = kMinorVersion;

  file[kPcOffset] = kProgramAddress & 0xFF;
  file[kPcOffset + 1] = kProgramAddress >> 8;
  file[kPswOffset] = 0x02;
  file[kSpOffset] = 0xEF;

  PutText(file, kTitleField, title);
  PutText(file, kGameField, game);
  PutText(file, kDumperField, "Fixture");
  PutText(file, kCommentField, "Made up for the tests");
  PutText(file, kDateField, "01/02/2003");
  PutText(file, kSecondsField, "090");
  PutText(file, kFadeField, "05000");
  PutText(file, kArtistField, "Nobody in particular");

  // BRA -2: the program loops on itself and never keys a voice on.
  file[kRamOffset + kProgramAddress] = 0x2F;
  file[kRamOffset + kProgramAddress + 1] = 0xFE;
  // Voices muted and the echo kept from writing into memory.
  file[kDspOffset + kDspFlags] = 0x60;
  return file;
}

}  // namespace torvale::romgen
