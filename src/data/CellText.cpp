#include "data/CellText.h"

#include <charconv>
#include <utility>

#include "text/TextCodec.h"
#include "text/TextTable.h"

namespace torvale {
namespace {

std::string_view TrimmedRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view Trimmed(std::string_view text) {
  text = TrimmedRight(text);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

std::string Range(const Field& field) {
  return "takes a value from " + std::to_string(field.minimum) + " to " +
         std::to_string(field.maximum);
}

CellReading ReadNumber(const Field& field, std::string_view text) {
  text = Trimmed(text);
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size()) {
    return {{}, "is not a number"};
  }
  if (error == std::errc::result_out_of_range) return {{}, Range(field)};
  if (std::string refusal = NumberRefusal(field, number); !refusal.empty()) {
    return {{}, std::move(refusal)};
  }
  return {Value{number}, {}};
}

CellReading ReadEntry(const Field& field, std::string_view text, const Value& current,
                      ListEntries& lists) {
  const std::vector<std::string>& entries = lists.Of(field.list);
  const int values = ValueCount(field.list);
  const std::string_view wanted = TrimmedRight(text);
  if (const auto* number = std::get_if<std::int64_t>(&current);
      number != nullptr && *number >= 0 && *number < static_cast<std::int64_t>(entries.size()) &&
      TrimmedRight(entries[static_cast<std::size_t>(*number)]) == wanted) {
    return {current, {}};
  }
  for (std::size_t entry = 0; entry < entries.size(); ++entry) {
    if (TrimmedRight(entries[entry]) != wanted) continue;
    if (static_cast<int>(entry) >= values) return {};  // the sentinel: no value
    return {Value{static_cast<std::int64_t>(entry)}, {}};
  }
  if (wanted.empty() && MayHoldNothing(field)) return {};
  return {{}, "is not an entry of its list"};
}

CellReading ReadText(const Field& field, std::string_view text) {
  if (std::string refusal = TextRefusal(field, text); !refusal.empty()) {
    return {{}, std::move(refusal)};
  }
  return {Value{std::string(text)}, {}};
}

}  // namespace

bool IsText(const Field& field) {
  return field.encoding == Encoding::kText || field.encoding == Encoding::kBlankedText;
}

std::string NumberRefusal(const Field& field, std::int64_t number) {
  return number < field.minimum || number > field.maximum ? Range(field) : std::string();
}

std::string TextRefusal(const Field& field, std::string_view text) {
  for (const char character : text) {
    if (!EncodeCharacter(character)) return "has a character the game cannot show";
  }
  if (text.size() > field.width) {
    return "is longer than " + std::to_string(field.width) + " characters";
  }
  return {};
}

const std::vector<std::string>& ListEntries::Of(ListId list) {
  auto found = m_read.find(list);
  if (found == m_read.end()) found = m_read.emplace(list, ReadEntries(list, m_text, m_rom)).first;
  return found->second;
}

std::string ListEntries::Entry(ListId list, std::int64_t index) {
  if (list == ListId::kNone) return {};
  const std::vector<std::string>& entries = Of(list);
  if (index >= 0 && index < static_cast<std::int64_t>(entries.size())) {
    return entries[static_cast<std::size_t>(index)];
  }
  return "#" + std::to_string(index);
}

bool IsOneBit(const Field& field) {
  return field.encoding == Encoding::kHighBit;
}

std::string ShownValue(const Field& field, const Value& value, ListEntries& lists) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  const auto* number = std::get_if<std::int64_t>(&value);
  if (number == nullptr) return {};
  if (field.list != ListId::kNone) return lists.Entry(field.list, *number);
  return std::to_string(*number);
}

CellReading ReadCellText(const Field& field, std::string_view text, const Value& current,
                         ListEntries& lists) {
  if (TrimmedRight(text) == TrimmedRight(ShownValue(field, current, lists))) return {current, {}};
  if (IsText(field)) return ReadText(field, text);
  if (field.list != ListId::kNone) return ReadEntry(field, text, current, lists);
  if (Trimmed(text).empty() && MayHoldNothing(field)) return {};
  return ReadNumber(field, text);
}

}  // namespace torvale
