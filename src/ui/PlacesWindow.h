#pragma once

#include <QDialog>
#include <vector>

#include "data/Search.h"

class QLineEdit;
class QLabel;
class QTreeWidget;

namespace torvale::ui {

class RomSession;

// Places in the ROM's tables, listed as table, entry, field and value: the
// uses of a record (Where Used), or what a search found (Find). A
// double-click on one opens that table's window at that record.
class PlacesWindow : public QDialog {
  Q_OBJECT

 public:
  // The fields that name a record.
  static PlacesWindow* ForUses(RomSession& session, const QString& caption,
                               const std::vector<FieldOfRecord>& uses, QWidget* parent);
  // A search of every table's entries and text fields, run from FindTXT.
  static PlacesWindow* ForFind(RomSession& session, QWidget* parent);

 signals:
  void OpenTableAt(const Table& table, int record);

 private:
  struct Place {
    const Table* table;
    int record;
  };

  PlacesWindow(RomSession& session, const QString& objectName, QWidget* parent);
  void Show(const std::vector<Place>& places, const std::vector<QStringList>& rows);
  void Find();

  RomSession& m_session;
  QLineEdit* m_find = nullptr;
  QTreeWidget* m_places;
  QLabel* m_status;
  std::vector<Place> m_shown;
};

}  // namespace torvale::ui
