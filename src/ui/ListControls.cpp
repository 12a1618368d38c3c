#include "ui/ListControls.h"

#include <QComboBox>
#include <QListWidget>

#include "ui/GameText.h"

namespace torvale::ui {
namespace {

QStringList Texts(const std::vector<std::string>& entries) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries.size()));
  for (const std::string& entry : entries) texts << FromGameText(entry);
  return texts;
}

}  // namespace

int SelectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

int PickedEntry(const QWidget& picker) {
  if (const auto* list = qobject_cast<const QListWidget*>(&picker)) return SelectedRow(*list);
  return qobject_cast<const QComboBox*>(&picker)->currentIndex();
}

void PickEntry(QWidget& picker, int entry) {
  if (auto* list = qobject_cast<QListWidget*>(&picker)) {
    list->setCurrentRow(entry, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->currentItem());
    return;
  }
  qobject_cast<QComboBox*>(&picker)->setCurrentIndex(entry);
}

QString PickedEntryText(const QWidget& picker) {
  if (const auto* list = qobject_cast<const QListWidget*>(&picker)) {
    const int row = SelectedRow(*list);
    return row < 0 ? QString() : list->item(row)->text();
  }
  return qobject_cast<const QComboBox*>(&picker)->currentText();
}

void AddEntries(QComboBox& list, const std::vector<std::string>& entries) {
  list.setUpdatesEnabled(false);
  list.addItems(Texts(entries));
  list.setUpdatesEnabled(true);
}

void ReplaceEntries(QComboBox& list, std::vector<std::string>& shown,
                    std::vector<std::string> entries) {
  if (shown.size() != entries.size() || list.count() != static_cast<int>(entries.size())) {
    list.clear();
    AddEntries(list, entries);
  } else {
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
      if (shown[entry] != entries[entry]) {
        list.setItemText(static_cast<int>(entry), FromGameText(entries[entry]));
      }
    }
  }
  shown = std::move(entries);
  list.setCurrentIndex(0);
}

void AddEntries(QListWidget& list, const std::vector<std::string>& entries) {
  list.setUpdatesEnabled(false);
  list.addItems(Texts(entries));
  list.setUpdatesEnabled(true);
}

}  // namespace torvale::ui
