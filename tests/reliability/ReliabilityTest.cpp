// The ROM treated as a user's only copy. Every editor's Apply, its undo and
// its redo, the main window's Save and the changes window's Revert run once
// cleanly, then once for each fault at each I/O call they make (a failed
// read, write or sync; a write cut short by a full disk; a write after
// another program truncated the file), and once for faults at every call
// from each one on: each fault is reported; the file keeps its length unless
// another program changed it, which closes the ROM; every byte holds what it
// held or what the clean run wrote; a ROM left open holds no field half old
// and half new; and no message says nothing was written unless so. Random
// edits through every editor's controls, with steps back and forward through
// the history between them, leave exactly the bytes of the game's layout,
// each Apply its writes and then one sync. A second process killed during a
// loop of Applies, or of undos and redos, tears no field (RomFileTest keeps a
// second process out of a held ROM).

#include <random>
#include <set>
#include <thread>

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "data/Tables.h"
#include "patch/ChangeSet.h"
#include "ui/ApplyPatchWindow.h"
#include "ui/ChangesWindow.h"
#include "ui/MainWindow.h"
#include "ui/TableModel.h"
#include "ui/TableWindow.h"

using namespace torvale::testing;

namespace {

constexpr int kEditsPerEditor = 300;
constexpr int kEditsPerGrid = 200;
constexpr int kKillsPerEditor = 12;

struct StepResult {
  Bytes before;
  Bytes after;
  QString message;                         // the first one shown; empty when none was
  bool romOpen = true;                     // the ROM still open, and the window on show
  std::vector<FaultyRomIo::IoCall> calls;  // the I/O calls the step made
};

// Where a step's faults fall: from call `at` of the step itself on (0: none),
// and whether they go on from there.
struct FaultPlan {
  int at = 0;
  FaultyRomIo::Fault fault = FaultyRomIo::Fault::kError;
  bool persistent = false;
};

// One run of a step on a fresh copy of the sample ROM.
using Step = std::function<StepResult(const FaultPlan& plan)>;

// Runs `step` through `fixture` and `io`; `open` tells whether the ROM is
// still open afterwards.
StepResult Run(WindowFixture& fixture, FaultyRomIo& io, const FaultPlan& plan,
               const std::function<void()>& step, const std::function<bool()>& open) {
  StepResult result;
  result.before = fixture.ReadRom();
  const std::size_t start = io.calls.size();
  io.FaultAt(plan.at, plan.fault, 0, plan.persistent);
  step();
  result.calls.assign(io.calls.begin() + static_cast<long>(start), io.calls.end());
  result.after = fixture.ReadRom();
  if (!fixture.platform.messages.isEmpty()) result.message = fixture.platform.messages[0].text;
  result.romOpen = open();
  return result;
}

enum class EditorAction { kApply, kUndo, kRedo };

// Triggers the grid's command of that caption, as its key or its menu would.
void Trigger(QWidget& grid, const char* caption) {
  for (QAction* action : grid.actions()) {
    if (action->text() == QLatin1String(caption)) return action->trigger();
  }
  qFatal("no command %s", caption);
}

// Ctrl+Z, or Ctrl+Shift+Z, pressed in the window.
void StepThroughHistory(QWidget& window, EditorAction action) {
  QTest::keyClick(&window, Qt::Key_Z,
                  action == EditorAction::kUndo ? Qt::ControlModifier
                                                : Qt::ControlModifier | Qt::ShiftModifier);
}

// The step is an Apply of every field at its highest, or the undo of that
// Apply, or its redo.
StepResult EditorStep(const EditorModel& model, EditorAction action, const FaultPlan& plan) {
  FaultyRomIo io;
  EditorFixture fixture(Sample(), io);
  const auto window = OpenEditor(model, fixture.context);
  PickFirstRecords(*window, model);
  SetEveryField(*window, model, true);
  if (action != EditorAction::kApply) ClickApply(*window);
  if (action == EditorAction::kRedo) StepThroughHistory(*window, EditorAction::kUndo);
  return Run(
      fixture, io, plan,
      [&] {
        if (action == EditorAction::kApply) {
          ClickApply(*window);
        } else {
          StepThroughHistory(*window, action);
        }
      },
      [&] { return fixture.rom.IsOpen() || window->isVisible(); });
}

// Every row of the changes window reverted at once: three changed bytes far apart.
StepResult RevertAll(const FaultPlan& plan) {
  Bytes edited = Sample();
  for (const std::size_t at : {0x1000, 0x50000, 0xFFFF0}) edited[at] ^= 0x5A;
  FaultyRomIo io;
  EditorFixture fixture(edited, io);
  torvale::ui::ChangesWindow window(fixture.context, {Sample(), true}, QStringLiteral("clean.smc"),
                                    nullptr);
  window.show();
  Control<QTreeView>(window, "ChangesTRE")->selectAll();
  return Run(
      fixture, io, plan, [&] { ClickButton(*Control<QPushButton>(window, "RevertCMD")); },
      [&] { return fixture.rom.IsOpen() || window.isVisible(); });
}

// A patch's changes applied at once: fields of two tables and a run of bytes,
// one of the fields changed in the open ROM already (taken all the same).
StepResult ApplyPatchAll(const FaultPlan& plan) {
  const std::vector<std::uint8_t> clean(Sample().begin() + torvale::kCopierHeaderSize,
                                        Sample().end());
  Bytes image = clean;
  for (const std::size_t at : {0x1000, 0x50000, 0xFFFF0}) image[at] ^= 0x5A;
  torvale::testing::MemoryRom memory;
  torvale::frontend::ChangeSource source;
  source.changes = torvale::ChangeSetOf(clean, image, memory.text);
  Bytes open = Sample();
  open[torvale::kCopierHeaderSize + 0x50000] ^= 0x11;
  FaultyRomIo io;
  EditorFixture fixture(open, io);
  torvale::ui::ApplyPatchWindow window(fixture.context, {Sample(), true}, source,
                                       QStringLiteral("hack.bps"), nullptr);
  window.show();
  auto& rows = *Control<QTreeView>(window, "PatchTRE")->model();
  for (int row = 0; row < rows.rowCount(); ++row) {
    rows.setData(rows.index(row, 0), Qt::Checked, Qt::CheckStateRole);
  }
  return Run(
      fixture, io, plan, [&] { ClickButton(*Control<QPushButton>(window, "ApplyCMD")); },
      [&] { return fixture.rom.IsOpen() || window.isVisible(); });
}

// A table of the game by its name.
const torvale::Table& TableNamed(const QString& name) {
  for (const torvale::Table* table : torvale::AllTables()) {
    if (QLatin1String(table->name.data(), table->name.size()) == name) return *table;
  }
  qFatal("no table %s", qPrintable(name));
}

// Rows of every table a grid shows, by name.
void AddTableRows() {
  QTest::addColumn<QString>("table");
  for (const torvale::Table* table : torvale::AllTables()) {
    if (!GridLayoutOf(*table).empty()) {
      QTest::newRow(table->name.data())
          << QString::fromLatin1(table->name.data(), table->name.size());
    }
  }
}

// Gives the grid's cell of the layout's field the value, as its box, list or
// check box takes it; false when the cell cannot be changed (a chest's part
// its kind does not use).
bool SetCell(torvale::ui::TableModel& model, const GridField& field, int record, int value) {
  const std::size_t column = torvale::FieldIndex(model.Fields(), field.column);
  const QModelIndex cell = model.index(record, model.ColumnOf(column));
  if (!(model.flags(cell) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) return false;
  const FieldModel& layout = *field.field;
  if (layout.kind == FieldKind::kCheck) {
    return model.setData(cell, value != 0 ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
  }
  if (model.Fields().fields[column].list != torvale::ListId::kNone) {
    return model.setData(cell, value, torvale::ui::TableModel::kValueRole);
  }
  return model.setData(cell, layout.kind == FieldKind::kName
                                 ? QString::fromStdString(NameFor(value, layout.max))
                                 : QString::number(value));
}

// A table's window over a fresh copy of the sample ROM.
struct GridFixture {
  explicit GridFixture(const torvale::Table& table, torvale::RomIo& io)
      : fixture(Sample(), io),
        window(new torvale::ui::TableWindow(fixture.session, fixture.platform, table, nullptr)) {
    window->show();
  }
  ~GridFixture() { delete window; }
  torvale::ui::TableModel& Model() {
    auto* rows =
        static_cast<QSortFilterProxyModel*>(Control<QTableView>(*window, "TableGRD")->model());
    return *static_cast<torvale::ui::TableModel*>(rows->sourceModel());
  }
  EditorFixture fixture;
  QPointer<torvale::ui::TableWindow> window;  // it goes when it closes
};

// The grid's Apply of every cell of the first, a middle and the last record
// that the layout knows, each at its highest.
StepResult GridApply(const torvale::Table& table, const FaultPlan& plan) {
  FaultyRomIo io;
  GridFixture grid(table, io);
  for (const GridField& field : GridLayoutOf(table)) {
    const RecordPicker& records = field.records;
    for (const int record :
         {records.first, records.first + records.count / 2, records.first + records.count - 1}) {
      SetCell(grid.Model(), field, record, field.field->max);
    }
  }
  return Run(
      grid.fixture, io, plan, [&] { ClickButton(*Control<QPushButton>(*grid.window, "ApplyCMD")); },
      [&] { return grid.fixture.rom.IsOpen(); });
}

StepResult MainWindowSave(const FaultPlan& plan) {
  FaultyRomIo io;
  WindowFixture fixture;
  fixture.platform.fileAnswers << fixture.WriteRom(Sample());
  torvale::ui::MainWindow window(fixture.platform, io);
  window.show();
  window.LoadROM();
  ReplaceText(*Control<QLineEdit>(window, "iROMName"), QStringLiteral("RELIABLE NAME"));
  return Run(
      fixture, io, plan, [&] { window.SaveROM(); },
      [&] { return Control<QWidget>(window, "SaveCMD")->isEnabled(); });
}

// A random record with each picker, and one to three of the fields a user
// can change there, each with its value: the edit, and the bytes it must leave.
Bytes RandomEdit(QDialog& window, const EditorModel& model, std::mt19937& random, Bytes after) {
  std::vector<int> records;
  for (const RecordPicker& picker : model.pickers) {
    records.push_back(
        std::uniform_int_distribution(picker.first, picker.first + picker.count - 1)(random));
    PickRecord(window, picker, records.back());
  }
  const auto recordOf = [&](const FieldModel& f) {
    return records[static_cast<std::size_t>(f.picker)];
  };
  std::vector<const FieldModel*> fields;
  for (const FieldModel& field : model.fields) {
    if (CanEdit(window, field)) fields.push_back(&field);
  }
  std::shuffle(fields.begin(), fields.end(), random);
  fields.resize(std::uniform_int_distribution<std::size_t>(
      1, std::min<std::size_t>(3, fields.size()))(random));
  // A field left alone is written back as shown; a chest's field of another kind is not.
  const Bytes before = after;
  for (const FieldModel& field : model.fields) {
    if (field.written && field.kind != FieldKind::kName &&
        ValueOf(field, before, recordOf(field)) >= 0) {
      Store(field, after, recordOf(field), ValueOf(field, before, recordOf(field)));
    }
  }
  for (const FieldModel* field : fields) {
    const int value = std::uniform_int_distribution(field->min, field->max)(random);
    SetField(window, *field, value);
    Store(*field, after, recordOf(*field), value);
  }
  return after;
}

// Every byte as one of the two Applies the other process loops over left
// it, and no field mixing them: empty, or what is torn.
QString Torn(const Bytes& lowest, const Bytes& highest, const EditorModel& model,
             const Bytes& file) {
  if (file.size() != lowest.size()) return QStringLiteral("the file changed length");
  for (std::size_t at = 0; at < file.size(); ++at) {
    if (file[at] != lowest[at] && file[at] != highest[at])
      return QStringLiteral("byte 0x%1").arg(at, 0, 16);
  }
  for (const FieldModel& field : model.fields) {
    Bytes low = lowest, high = lowest;
    const int record = model.pickers[static_cast<std::size_t>(field.picker)].first;
    Store(field, low, record, field.min);
    Store(field, high, record, field.max);
    int old = 0, now = 0;
    for (std::size_t at = 0; at < low.size(); ++at) {
      if (low[at] == high[at]) continue;
      (file[at] == lowest[at] ? old : now) += 1;
    }
    if (old > 0 && now > 0) return QStringLiteral("%1 is torn").arg(field.control);
  }
  return {};
}

}  // namespace

class ReliabilityTest : public QObject {
  Q_OBJECT

  int injected = 0, persistent = 0, unreported = 0, tornLeftOpen = 0, edits = 0, kills = 0,
      undoKills = 0, gridSteps = 0;
  std::size_t outsideFields = 0;

  // Injects every fault the clean run's calls allow; returns the first failure seen.
  QString InjectAll(const Step& step) {
    using Fault = FaultyRomIo::Fault;
    const StepResult clean = step({});
    std::string kinds;
    for (const auto& call : clean.calls) kinds += call.kind;
    const std::size_t lastWrite = kinds.rfind('w');
    if (!clean.message.isEmpty() || lastWrite == std::string::npos ||
        kinds.find('s', lastWrite) == std::string::npos) {
      return QStringLiteral("the clean run did not write and sync: ") + kinds.c_str();
    }
    QString failure;
    for (std::size_t call = 0; call < kinds.size(); ++call) {
      const bool write = kinds[call] == 'w';
      for (const FaultPlan& plan :
           {FaultPlan{0, Fault::kError, false}, FaultPlan{0, Fault::kShortWrite, false},
            FaultPlan{0, Fault::kTruncate, false}, FaultPlan{0, Fault::kError, true},
            FaultPlan{0, Fault::kShortWrite, true}}) {
        if (plan.fault != Fault::kError && !write) continue;
        FaultPlan at = plan;
        at.at = static_cast<int>(call) + 1;
        const StepResult run = step(at);
        ++injected;
        persistent += plan.persistent;
        const QString problem = Judge(clean, run, kinds[call], plan.fault);
        unreported += run.message.isEmpty();
        if (failure.isEmpty() && !problem.isEmpty()) {
          failure = QString::asprintf("call %zu ('%c', %s%s): ", call + 1, kinds[call],
                                      plan.fault == Fault::kError        ? "error"
                                      : plan.fault == Fault::kShortWrite ? "short write"
                                                                         : "truncated before",
                                      plan.persistent ? " from there on" : "") +
                    problem;
        }
      }
    }
    return failure;
  }

  // What is wrong with a run with a fault against the clean run; empty when nothing.
  QString Judge(const StepResult& clean, const StepResult& run, char kind,
                FaultyRomIo::Fault fault) {
    if (run.message.isEmpty()) return QStringLiteral("NOT reported");
    if (fault == FaultyRomIo::Fault::kTruncate) {
      return run.romOpen ? QStringLiteral("a truncated file left open") : QString();
    }
    if (run.after.size() != clean.before.size()) return QStringLiteral("the file changed length");
    std::size_t outside = 0;
    for (std::size_t at = 0; at < run.after.size(); ++at) {
      outside += run.after[at] != run.before[at] && run.after[at] != clean.after[at];
    }
    outsideFields += outside;
    if (outside != 0) return QStringLiteral("%1 bytes outside the fields").arg(outside);
    // After a failed sync the ROM is not trusted: it is closed, with the editor.
    if (kind == 's' && run.romOpen) return QStringLiteral("the ROM left open after a failed sync");
    const bool claimsNothing = run.message.contains(QStringLiteral("Nothing was written")) ||
                               run.message.contains(QStringLiteral("holds what it held before"));
    if (claimsNothing && run.after != run.before) {
      return QStringLiteral("says nothing was written, yet bytes changed");
    }
    // Each write of the clean run is a field or a run of fields: whole, one way or the other.
    for (const auto& write : clean.calls) {
      if (write.kind != 'w' || !run.romOpen) continue;
      int old = 0, now = 0;
      for (auto at = static_cast<std::size_t>(write.offset); at < write.offset + write.count;
           ++at) {
        if (clean.before[at] == clean.after[at]) continue;
        (run.after[at] == clean.before[at] ? old : now) += 1;
      }
      if (old > 0 && now > 0) {
        ++tornLeftOpen;
        return QStringLiteral("the field at 0x%1 is torn and the ROM left open")
            .arg(write.offset, 0, 16);
      }
    }
    return {};
  }

 private slots:
  void everyFaultInAnApplyUndoRedoSaveOrRevertIsReportedAndLeavesOnlyOldOrNewBytes_data() {
    AddEditorRows();
    QTest::newRow("main window's Save, the changes window's Revert, Apply Patch") << QString();
  }
  void everyFaultInAnApplyUndoRedoSaveOrRevertIsReportedAndLeavesOnlyOldOrNewBytes() {
    QFETCH(QString, name);
    std::vector<Step> steps = {MainWindowSave, RevertAll, ApplyPatchAll};
    if (!name.isEmpty()) {
      steps.clear();
      for (const auto action : {EditorAction::kApply, EditorAction::kUndo, EditorAction::kRedo}) {
        steps.push_back([&, action](const FaultPlan& plan) {
          return EditorStep(EditorModelNamed(name.toStdString()), action, plan);
        });
      }
    }
    for (const Step& step : steps) {
      const QString failure = InjectAll(step);
      QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
  }

  void everyFaultInAGridsApplyIsReportedAndLeavesOnlyOldOrNewBytes_data() { AddTableRows(); }
  void everyFaultInAGridsApplyIsReportedAndLeavesOnlyOldOrNewBytes() {
    QFETCH(QString, table);
    const QString failure =
        InjectAll([&](const FaultPlan& plan) { return GridApply(TableNamed(table), plan); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
  }

  // Random cell edits and pastes in a table's grid, Applies, undos and redos:
  // after each Apply, undo and redo the whole file holds what the game's
  // layout says the edits leave.
  void randomGridEditsLeaveExactlyTheLayoutsBytes_data() { AddTableRows(); }
  void randomGridEditsLeaveExactlyTheLayoutsBytes() {
    QFETCH(QString, table);
    const std::vector<GridField> layout = GridLayoutOf(TableNamed(table));
    FaultyRomIo io;
    GridFixture grid(TableNamed(table), io);
    auto& model = grid.Model();
    QTableView& view = *Control<QTableView>(*grid.window, "TableGRD");
    std::mt19937 random(static_cast<unsigned>(qHash(table)));
    std::vector<Bytes> states = {grid.fixture.original};
    std::size_t now = 0;
    Bytes pending = states[now];
    const auto pick = [&](const GridField& field) {
      const RecordPicker& records = field.records;
      return std::uniform_int_distribution(records.first,
                                           records.first + records.count - 1)(random);
    };
    // Apply writes a changed record whole: a field left alone is written back as shown.
    std::set<int> touched;
    const auto store = [&](const GridField& edited, int record, int value) {
      if (touched.insert(record).second) {
        for (const GridField& other : layout) {
          const FieldModel& f = *other.field;
          const int shown = ValueOf(f, pending, record);
          if (f.written && f.kind != FieldKind::kName && shown >= 0 &&
              record < other.records.first + other.records.count) {
            Store(f, pending, record, shown);
          }
        }
      }
      Store(*edited.field, pending, record, value);
    };
    for (int step = 1; step <= kEditsPerGrid; ++step, ++gridSteps) {
      const int roll = std::uniform_int_distribution(0, 9)(random);
      const GridField& field =
          layout[std::uniform_int_distribution<std::size_t>(0, layout.size() - 1)(random)];
      const int value = std::uniform_int_distribution(field.field->min, field.field->max)(random);
      // Slot 9 shares the first name: its edits would race the first's.
      const bool sharedName = field.field->form == Form::kCharacterName;
      if (roll < 5) {
        const int record = pick(field);
        // A chest's part is edited in a chest of its kind, as the layout stores it.
        if ((sharedName && (record == 0 || record == 9)) ||
            ValueOf(*field.field, pending, record) < 0 || !SetCell(model, field, record, value)) {
          continue;
        }
        store(field, record, value);
        continue;
      }
      if (roll == 5 && field.field->kind == FieldKind::kNumber && !sharedName) {
        // One value pasted into the cells of two records.
        const int column = model.ColumnOf(torvale::FieldIndex(model.Fields(), field.column));
        const int first = pick(field), second = pick(field);
        view.selectionModel()->clearSelection();
        for (const int record : {first, second}) {
          if (!(model.flags(model.index(record, column)) & Qt::ItemIsEditable)) continue;
          view.selectionModel()->select(view.model()->index(record, column),
                                        QItemSelectionModel::Select);
        }
        if (view.selectionModel()->selectedIndexes().size() != 2) continue;
        QApplication::clipboard()->setText(QString::number(value));
        Trigger(view, "&Paste");
        for (const int record : {first, second}) store(field, record, value);
        continue;
      }
      if (roll < 8) {
        ClickButton(*Control<QPushButton>(*grid.window, "ApplyCMD"));
        touched.clear();
        if (pending != states[now]) {
          states.resize(++now);
          states.push_back(pending);
        }
      } else if (!model.HasStaged()) {
        Trigger(view, roll == 8 ? "&Undo" : "&Redo");
        if (roll == 8 && now > 0) --now;
        if (roll == 9 && now + 1 < states.size()) ++now;
        pending = states[now];
      } else {
        continue;
      }
      QVERIFY(!model.HasStaged());
      const std::string differences = DescribeDifferences(states[now], grid.fixture.ReadRom());
      QVERIFY2(differences.empty(),
               qPrintable(QStringLiteral("step %1: %2").arg(step).arg(differences.c_str())));
      QVERIFY(grid.fixture.platform.messages.isEmpty());
    }
  }

  void randomEditsLeaveExactlyTheLayoutsBytes_data() { AddEditorRows(); }
  void randomEditsLeaveExactlyTheLayoutsBytes() {
    const EditorModel& model = RowModel();
    FaultyRomIo io;
    EditorFixture fixture(Sample(), io);
    const auto window = OpenEditor(model, fixture.context);
    std::mt19937 random(static_cast<unsigned>(qHash(QString::fromLatin1(model.name))));
    // The file after each step of the history, and where the history stands.
    std::vector<Bytes> states = {fixture.original};
    std::size_t now = 0;
    for (int edit = 1; edit <= kEditsPerEditor; ++edit, ++edits) {
      const int roll = std::uniform_int_distribution(0, 9)(random);
      if (roll < 3) {
        const auto action = roll < 2 ? EditorAction::kUndo : EditorAction::kRedo;
        StepThroughHistory(*window, action);
        if (action == EditorAction::kUndo && now > 0) --now;
        if (action == EditorAction::kRedo && now + 1 < states.size()) ++now;
        const std::string differences = DescribeDifferences(states[now], fixture.ReadRom());
        QVERIFY2(differences.empty(),
                 qPrintable(QStringLiteral("step %1: %2").arg(edit).arg(differences.c_str())));
        continue;
      }
      const Bytes expected = RandomEdit(*window, model, random, states[now]);
      if (expected != states[now]) {
        states.resize(++now);
        states.push_back(expected);
      }
      const std::size_t start = io.kinds.size();
      ClickApply(*window);
      const std::string calls = io.kinds.substr(start);
      const std::string differences = DescribeDifferences(expected, fixture.ReadRom());
      QVERIFY2(differences.empty(),
               qPrintable(QStringLiteral("edit %1: %2").arg(edit).arg(differences.c_str())));
      // Every write, then one sync; reading the record again comes after.
      const std::size_t sync = calls.find('s');
      QVERIFY2(sync != std::string::npos && calls.find('w') < sync && calls.rfind('s') == sync &&
                   calls.find('w', sync) == std::string::npos,
               calls.c_str());
      QVERIFY(fixture.platform.messages.isEmpty());
    }
  }

  void killedApplyOrUndoLoopLeavesEveryFieldOldOrNew_data() {
    QTest::addColumn<QString>("loop");
    QTest::addColumn<QString>("name");
    for (const char* loop : {"apply-loop", "undo-loop"}) {
      for (const char* name : {"item", "character stats", "monster", "map properties"})
        QTest::addRow("%s, %s", loop, name) << loop << name;
    }
  }
  void killedApplyOrUndoLoopLeavesEveryFieldOldOrNew() {
    QFETCH(QString, loop);
    QFETCH(QString, name);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    Bytes lowest, highest;  // what the two Applies the other process loops over leave
    {
      EditorFixture fixture;
      const auto window = OpenEditor(model, fixture.context);
      PickFirstRecords(*window, model);
      for (Bytes* after : {&lowest, &highest}) {
        SetEveryField(*window, model, after == &highest);
        ClickApply(*window);
        *after = fixture.ReadRom();
      }
    }
    WindowFixture fixture;
    std::mt19937 random(42);
    for (int kill = 0; kill < kKillsPerEditor;
         ++kill, ++(loop == "apply-loop" ? kills : undoKills)) {
      QProcess process;
      process.start(QCoreApplication::applicationDirPath() + "/RomProcess",
                    {loop, fixture.WriteRom(Sample()), name});
      QVERIFY(process.waitForReadyRead(30000));
      QCOMPARE(process.readLine().trimmed(), QByteArray("ready"));
      std::this_thread::sleep_for(
          std::chrono::microseconds(std::uniform_int_distribution(0, 40000)(random)));
      process.kill();
      QVERIFY(process.waitForFinished(10000));
      const QString torn = Torn(lowest, highest, model, fixture.ReadRom());
      QVERIFY2(torn.isEmpty(), qPrintable(torn));
    }
  }

  void cleanupTestCase() {
    qInfo(
        "Faults injected: %d (%d of them persistent), unreported: %d, bytes changed outside the "
        "fields: %zu, fields torn in a ROM left open: %d",
        injected, persistent, unreported, outsideFields, tornLeftOpen);
    qInfo(
        "Edits tried: %d, steps in grids: %d; processes killed during Applies: %d, during undos "
        "and redos: %d",
        edits, gridSteps, kills, undoKills);
  }
};

QTEST_MAIN(ReliabilityTest)
#include "ReliabilityTest.moc"
