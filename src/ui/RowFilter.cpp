#include "ui/RowFilter.h"

namespace torvale::ui {

RowFilter::RowFilter(QObject* parent) : QSortFilterProxyModel(parent) {
  setSortRole(kSortRole);
  setSortCaseSensitivity(Qt::CaseInsensitive);
}

void RowFilter::SetText(const QString& text) {
  if (text == m_text) return;
  m_text = text;
  invalidateRowsFilter();
}

bool RowFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
  if (m_text.isEmpty()) return true;
  const QAbstractItemModel& model = *sourceModel();
  for (int column = 0; column < model.columnCount(parent); ++column) {
    if (model.index(row, column, parent).data().toString().contains(m_text, Qt::CaseInsensitive)) {
      return true;
    }
  }
  return false;
}

}  // namespace torvale::ui
