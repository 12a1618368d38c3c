#include "data/TextList.h"

namespace torvale {

const Table& TextEntryTable() {
  static constexpr Field kFields[] = {
      {"NameTXT", "Text", TextEntryOffset, 0, kTextEntryLength, Encoding::kText, 0, 0},
  };
  static constexpr Table kTable{"Short Texts", kTextEntryCount, ListId::kTextEntries, kFields};
  return kTable;
}

}  // namespace torvale
