// The checks that run when a ROM is opened, over arbitrary file heads.
//
// The input's first byte picks the layout. Even: the file is the rest of the
// input, as it is, so it is short. Odd: three bytes give the file's length (up
// to the sample image's), the sample image fills it, and the rest of the input
// is laid over the fields the checks read, the identity titles first so that
// short inputs reach them. Every check must answer, or on a file too short for
// the editors refuse with RomRangeError; none may write.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "FuzzRom.h"
#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"

namespace torvale::fuzz {
namespace {

// Where the fields the checks read lie, and their lengths: the internal
// header, another game's title where the identity check looks for it, the
// name of a headerless file, and the copier header with the edit tag.
constexpr std::pair<FileOffset, std::size_t> kPlacedFields[] = {
    {kInternalNameOffset, 0x20},
    {0x101C0, 16},
    {kHeaderlessNameOffset, kHeaderlessNameLength},
    {0, 0x200}};

FuzzRom& PlacedFile(FuzzInput& input) {
  FuzzRom& file = FuzzRom::Start(input.Number(3) % (romgen::kSampleRomSize + 1));
  for (const auto& [offset, length] : kPlacedFields) {
    const std::string bytes = input.Bytes(length);
    file.Overlay(offset, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  return file;
}

void CheckFile(FuzzRom& file) {
  bool written = false;
  file.Watch([&](FileOffset, auto, auto) { written = true; });
  const RomFile& rom = file.Rom();
  Require(rom.Size() == file.Bytes().size(), "the file opens at its own length");
  Require(CheckRomLength(rom).has_value() == (rom.Size() < kMinimumRomSize),
          "the length check refuses exactly the files too short for the editors");

  Reading(rom, [&] {
    const IdentityCheck identity = CheckROMIdentity(rom);
    Require((identity.verdict == IdentityVerdict::kAccepted) == identity.message.empty(),
            "the identity check gives a message exactly when it does not accept");
  });
  Reading(rom, [&] {
    Require(CheckHeader(rom).has_value() == (rom.Size() == kHeaderlessRomSize),
            "the header check refuses exactly the headerless length");
  });
  Reading(rom, [&] { ReadHeaderType(rom); });
  Reading(rom, [&] {
    Require(ReadRomName(rom).size() == kInternalNameLength, "the internal name has its width");
  });
  Reading(rom, [&] { ReadCountryCaption(rom); });
  Reading(rom, [&] { ReadVersionCaption(rom); });
  Reading(rom, [&] {
    const RomTag tag = ReadEditTag(rom);
    Require(tag.present ? tag.shown.size() == kEditTagShownLength : tag.shown == "[None]",
            "the edit tag shows its first characters or [None]");
  });
  Reading(rom, [&] { ReadEditedState(rom); });

  Require(!written, "the checks write nothing");
}

}  // namespace
}  // namespace torvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  if (input.Byte() % 2 == 0) {
    const auto rest = input.Rest();
    FuzzRom& file = FuzzRom::Start(rest.size());
    file.Overlay(0, rest);
    CheckFile(file);
  } else {
    CheckFile(PlacedFile(input));
  }
  return 0;
}
