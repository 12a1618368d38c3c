#pragma once

#include <QString>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QWidget;

namespace torvale::ui {

// The selected entry of a list, or -1. A list given the keyboard focus has a
// current entry before the user picks any; only a selected entry counts.
int SelectedRow(const QListWidget& list);
// The entry picked in a list or a drop-down list, or -1.
int PickedEntry(const QWidget& picker);
// Picks the entry, as a click would, and shows it.
void PickEntry(QWidget& picker, int entry);
// The text of that entry; empty when none is picked.
QString PickedEntryText(const QWidget& picker);

// Appends the entries to a list or a drop-down list, its redrawing suspended.
void AddEntries(QComboBox& list, const std::vector<std::string>& entries);
void AddEntries(QListWidget& list, const std::vector<std::string>& entries);
// Makes the drop-down list hold `entries` in place of `shown`, what it held
// so far, rewriting only the entries that changed; shows its first entry.
void ReplaceEntries(QComboBox& list, std::vector<std::string>& shown,
                    std::vector<std::string> entries);

}  // namespace torvale::ui
