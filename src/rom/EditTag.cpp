#include "rom/EditTag.h"

#include "rom/Version.h"

namespace torvale {

std::string EditTagText() {
  return "D:" + VersionText() + "b | " + kProgramName;
}

void WriteEditTag(RomFile& rom) {
  rom.WriteFixedText(kEditTagOffset, EditTagText(), kEditTagLength);
}

RomTag ReadEditTag(const RomFile& rom) {
  const std::string shown = rom.ReadFixedText(kEditTagOffset, kEditTagShownLength);
  if (static_cast<std::uint8_t>(shown.front()) == 0x00) return {false, "[None]"};
  return {true, shown};
}

EditedState ReadEditedState(const RomFile& rom) {
  switch (rom.ReadByte(kEditTagOffset)) {
    case kEditedMarker:
      return EditedState::kEdited;
    case 0x00:
      return EditedState::kUnedited;
    default:
      return EditedState::kUnknown;
  }
}

}  // namespace torvale
