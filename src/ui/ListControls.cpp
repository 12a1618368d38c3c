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

void AddIcons(QComboBox& list) {
  QStringList entries;
  for (const std::string_view entry : IconEntries()) entries << FromGameText(entry);
  list.setUpdatesEnabled(false);
  list.addItems(entries);
  list.setUpdatesEnabled(true);
}

}  // namespace torvale::ui
