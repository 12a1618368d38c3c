#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>

class QComboBox;
class QListWidget;

namespace torvale::ui {

// Byte-valued lists: entry n of the drop-down list stands for byte n; a
// sentinel entry ("[Empty]", "[-Nothing-]") may follow the last byte's entry.

// Selects the entry of `value`; false when the list has no such entry.
bool ShowByte(QComboBox& list, int value);
// The byte the selected entry stands for: nothing when no entry, or an entry
// at or past `byteCount` (the sentinel), is selected.
std::optional<std::uint8_t> SelectedByte(const QComboBox& list, int byteCount = 256);

// The selected entry of a list, or -1. A list given the keyboard focus has a
// current entry before the user picks any; only a selected entry counts.
int SelectedRow(const QListWidget& list);

// prefix + n for n from `first`, `count` entries: "Map #0", "Map #1", ...
QStringList NumberedEntries(const QString& prefix, int first, int count);

// Fills the icon list with its 256 entries: entry k names icon byte k.
void AddIcons(QComboBox& list);

}  // namespace torvale::ui
