#pragma once

#include <QSortFilterProxyModel>

namespace torvale::ui {

// The role by which rows sort: numbers as numbers, texts as texts.
inline constexpr int kSortRole = Qt::UserRole + 1;

// Sorts the rows of a grid by the clicked column and keeps those where the
// text shown in any column holds the filter text, in upper or lower case.
class RowFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit RowFilter(QObject* parent);
  void SetText(const QString& text);

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

 private:
  QString m_text;
};

}  // namespace torvale::ui
