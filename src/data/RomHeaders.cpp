#include "data/RomHeaders.h"

#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"

namespace torvale {
namespace {

constexpr FileOffset FileStart(int) {
  return 0;
}

}  // namespace

const Table& RomHeaderTable() {
  static constexpr Field kFields[] = {
      {.name = "ROMHeaderLBL",
       .label = "Copier Header",
       .part = FileStart,
       .within = 0,
       .width = kCopierTemplateLength,
       .encoding = Encoding::kCopierHeaderType,
       .access = Access::kShown},
      {.name = "dROMTag",
       .label = "Edit Tag",
       .part = FileStart,
       .within = kEditTagOffset,
       .width = kEditTagLength,
       .encoding = Encoding::kPlainText,
       .access = Access::kShown},
      {.name = "iROMName",
       .label = "Name",
       .part = FileStart,
       .within = kInternalNameOffset,
       .width = kInternalNameLength,
       .encoding = Encoding::kPlainText,
       .access = Access::kShown},
      {.name = "cROMFormat",
       .label = "Country",
       .part = FileStart,
       .within = kCountryCodeOffset,
       .width = 1,
       .encoding = Encoding::kCountry,
       .maximum = 255,
       .access = Access::kShown},
      {.name = "ROMVersionLBL",
       .label = "Version",
       .part = FileStart,
       .within = kVersionOffset,
       .width = 1,
       .encoding = Encoding::kVersion,
       .maximum = 255,
       .access = Access::kShown},
  };
  static constexpr Table kTable{"ROM Header", 1, ListId::kNone, kFields};
  return kTable;
}

}  // namespace torvale
