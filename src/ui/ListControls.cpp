#include "ui/ListControls.h"

#include <QComboBox>
#include <QListWidget>
#include <QStringList>

#include "text/NameLists.h"
#include "ui/GameText.h"

namespace torvale::ui {

bool ShowByte(QComboBox& list, int value) {
  if (value < 0 || value >= list.count()) return false;
  list.setCurrentIndex(value);
  return true;
}

std::optional<std::uint8_t> SelectedByte(const QComboBox& list, int byteCount) {
  const int index = list.currentIndex();
  if (index < 0 || index >= byteCount || index > 255) return std::nullopt;
  return static_cast<std::uint8_t>(index);
}

int SelectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

QStringList NumberedEntries(const QString& prefix, int first, int count) {
  QStringList entries;
  entries.reserve(count);
  for (int n = first; n < first + count; ++n) entries << prefix + QString::number(n);
  return entries;
}

void AddIcons(QComboBox& list) {
  list.setUpdatesEnabled(false);
  list.addItems(FromGameTexts(IconEntries()));
  list.setUpdatesEnabled(true);
}

}  // namespace torvale::ui
