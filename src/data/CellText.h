#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data/Lists.h"
#include "data/Table.h"

namespace torvale {

class TextCodec;

// The entries of the lists that name records and values, each read from the
// ROM once, when first needed.
class ListEntries {
 public:
  ListEntries(const TextCodec& text, const RomFile& rom) : m_text(text), m_rom(rom) {}

  // Throws RomError.
  const std::vector<std::string>& Of(ListId list);
  // "#300" for a value past the list's entries.
  std::string Entry(ListId list, std::int64_t index);
  // The ROM changed: lists are read again when next needed.
  void Forget() { m_read.clear(); }

 private:
  const TextCodec& m_text;
  const RomFile& m_rom;
  std::map<ListId, std::vector<std::string>> m_read;
};

// A field's value as the editors show it: a number, the entry of its list,
// "1" or "0" for a one-bit field, the text; empty for no value.
std::string ShownValue(const Field& field, const Value& value, ListEntries& lists);

// Whether the field holds one bit, shown as a check box.
bool IsOneBit(const Field& field);
// Whether the field holds game text.
bool IsText(const Field& field);

// Why the field cannot take the number ("takes a value from 0 to 255"), or
// empty when it can.
std::string NumberRefusal(const Field& field, std::int64_t number);
// Why the text field cannot take the text ("has a character the game cannot
// show", "is longer than 8 characters"), or empty when it can.
std::string TextRefusal(const Field& field, std::string_view text);

// What a shown value reads back as, as typed into the field's box or picked
// in its list: the value, or why the text cannot be one ("takes a value from
// 0 to 255", "is not an entry of its list", "has a character the game cannot
// show", "is longer than 8 characters"). Text that shows `current` (trailing
// spaces aside) is `current` itself, so that a shown value always reads back
// as it was; a list entry that several values show reads as `current` when
// it is one of them.
struct CellReading {
  Value value;
  std::string refusal;  // empty when the text reads as `value`
};
CellReading ReadCellText(const Field& field, std::string_view text, const Value& current,
                         ListEntries& lists);

}  // namespace torvale
