#include "data/RomHeaders.h"

#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"

namespace torvale {
namespace {

constexpr FileOffset FileStart(int) {
  return 0;
}

constexpr auto kShown = Access::kShown;
constexpr auto kNoList = ListId::kNone;

}  // namespace

const Table& RomHeaderTable() {
  static constexpr Field kFields[] = {
      {"ROMHeaderLBL", "Copier Header", FileStart, 0, kCopierTemplateLength,
       Encoding::kCopierHeaderType, 0, 0, kNoList, kShown},
      {"dROMTag", "Edit Tag", FileStart, kEditTagOffset, kEditTagLength, Encoding::kPlainText, 0, 0,
       kNoList, kShown},
      {"iROMName", "Name", FileStart, kInternalNameOffset, kInternalNameLength,
       Encoding::kPlainText, 0, 0, kNoList, kShown},
      {"cROMFormat", "Country", FileStart, kCountryCodeOffset, 1, Encoding::kCountry, 0, 255,
       kNoList, kShown},
      {"ROMVersionLBL", "Version", FileStart, kVersionOffset, 1, Encoding::kVersion, 0, 255,
       kNoList, kShown},
  };
  static constexpr Table kTable{"ROM Header", 1, ListId::kNone, kFields};
  return kTable;
}

}  // namespace torvale
