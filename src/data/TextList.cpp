#include "data/TextList.h"

namespace torvale {

const Table& TextEntryTable() {
  static constexpr Field kFields[] = {
      {.name = "NameTXT",
       .label = "Text",
       .part = TextEntryOffset,
       .within = 0,
       .width = kTextEntryLength,
       .encoding = Encoding::kText},
  };
  static constexpr Table kTable{"Short Texts", kTextEntryCount, ListId::kTextEntries, kFields};
  return kTable;
}

}  // namespace torvale
