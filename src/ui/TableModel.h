#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "data/CellText.h"
#include "data/Table.h"
#include "rom/RomChange.h"
#include "ui/RowFilter.h"

namespace torvale::ui {

class RomSession;

// One table of the open ROM as a grid, built from the table's description
// alone: a row per record, the columns "#" and "Entry", then one per field.
// Values are shown as the editors show them. Edits are staged in the model,
// marked as changed, until they are written or discarded; the rows nobody
// changed follow the file as every write changes it.
class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kFirstFieldColumn = 2;
  // A list-valued field's value as a number, read and set (setData) by the
  // drop-down list that edits it.
  static constexpr int kValueRole = Qt::UserRole + 2;

  // Reads every record of the table. Throws RomError.
  TableModel(RomSession& session, const Table& table, QObject* parent = nullptr);

  const Table& Fields() const { return m_table; }
  // The field a column shows, or nothing for "#" and "Entry".
  const Field* FieldAt(int column) const;
  int ColumnOf(std::size_t field) const { return kFirstFieldColumn + static_cast<int>(field); }
  ListEntries& Lists() { return m_lists; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Takes the text (EditRole) or the check (CheckStateRole) as typing would;
  // false when refused, and Refused says why.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The value the text stands for in the cell, as typing would take it:
  // empty when taken, else why not.
  QString RefusalOf(const QModelIndex& index, const QString& text);
  // Several cells at once, all or none: each text is checked as typing
  // would check it, and on the first refusal nothing is taken.
  struct CellText {
    QModelIndex index;
    QString text;
  };
  struct PasteRefusal {
    QModelIndex index;
    QString text;
    QString why;
  };
  std::optional<PasteRefusal> StageAll(const std::vector<CellText>& cells);

  // Every record as the grid shows it, staged values included.
  std::vector<Record> ShownRecords() const;
  // Values read as the editors read them elsewhere (a CSV file), staged at once.
  struct FieldValue {
    int record;
    std::size_t field;
    Value value;
  };
  void StageValues(const std::vector<FieldValue>& values);

  bool HasStaged() const { return !m_staged.empty(); }
  int StagedRecordCount() const { return static_cast<int>(m_staged.size()); }
  // The records whose file bytes changed under their staged values since they were read.
  std::vector<int> Conflicts() const;
  // Why a staged record cannot be written, or nothing: the record and the reason.
  std::optional<std::pair<int, std::string>> FirstRefusal() const;
  // Writes every staged record (through WriteRecords), which are then staged
  // no more. Throws RomError.
  void WriteStaged();
  void Discard();

 signals:
  // An edit was refused, or the table could not be read again: the message
  // names the cell and why, or the fault.
  void Refused(const QString& message);

 private:
  void ShowChange(const RomChange& change);
  const Record& Shown(int record) const;
  bool Edited(int record, std::size_t field) const;
  bool Editable(int record, std::size_t field) const;
  // The value the text stands for, or the refusal (not empty).
  CellReading Read(const QModelIndex& index, const QString& text);
  void Stage(int record, std::size_t field, const Value& value);
  bool PickEntry(const QModelIndex& index, const QVariant& entry);

  RomSession& m_session;
  const Table& m_table;
  ListEntries m_lists;
  std::vector<Record> m_read;      // every record as the file holds it
  std::map<int, Record> m_staged;  // records with edits not yet written
  std::map<int, Record> m_base;    // what the file held when each was first edited
};

}  // namespace torvale::ui
