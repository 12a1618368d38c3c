#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class TableWindow;
}

namespace torvale {
struct Table;
}

namespace torvale::ui {

class Platform;
class RomSession;
class RowFilter;
class TableModel;

// One table of the open ROM as a grid, beside the main window and its
// editors: sorted by a click on a column, filtered by FilterTXT, edited in
// place, copied to and pasted from a spreadsheet, written as one step of the
// history by Apply. It follows the file as every window writes it, and
// closes with the ROM.
class TableWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reads the whole table: throws RomError.
  TableWindow(RomSession& session, Platform& platform, const Table& table, QWidget* parent);
  ~TableWindow() override;

  const Table& Fields() const;
  // Selects the record's row and shows it, clearing the filter if it hides it.
  void ShowRecord(int record);
  // Writes every changed record; whether nothing is left to write.
  bool Apply();

 signals:
  // A use listed by Where Used was opened: the table's window at the record.
  void OpenTableAt(const Table& table, int record);

 protected:
  // With changes not applied, asks: Apply, Discard or Cancel.
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectCommands();
  void SizeColumns();
  void ShowStatus();
  void CopyCells();
  void PasteCells();
  void ShowWhereUsed();
  void ExportCsv();
  void ImportCsv();
  void Tell(const QString& text);

  std::unique_ptr<Ui::TableWindow> m_ui;
  RomSession& m_session;
  Platform& m_platform;
  TableModel* m_model;
  RowFilter* m_rows;
};

}  // namespace torvale::ui
