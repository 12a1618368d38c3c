// The ROM treated as a user's only copy. Every editor's Apply, its undo and
// its redo, the main window's Save and the changes window's Revert run once
// cleanly, then once for each fault at each I/O call they make (a failed
// read, a failed write, a write cut short by a full disk, a failed sync):
// each fault is reported, the file keeps its length, and every byte holds
// what it held or what the clean run wrote. Random edits through every
// editor's controls, with steps back and forward through the history between
// them, leave exactly the bytes of the game's layout, each Apply its writes
// and then one sync. A second process killed during a loop of Applies tears
// no field (RomFileTest keeps a second process out of a held ROM).

#include <random>
#include <thread>

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/ChangesWindow.h"
#include "ui/MainWindow.h"

using namespace torvale::testing;

namespace {

constexpr int kEditsPerEditor = 300;
constexpr int kKillsPerEditor = 12;

struct StepResult {
  Bytes before;
  Bytes after;
  bool reported = false;
  bool romOpen = true;  // the ROM still open, and the window on show
  std::string calls;    // the kinds of the I/O calls the step made
};

// One run of a step on a fresh copy of the sample ROM, with the fault (if
// any) at call `faultAt` of the step itself.
using Step = std::function<StepResult(int faultAt, FaultyRomIo::Fault fault)>;

// Runs `step` through `fixture` and `io`; `open` tells whether the ROM is
// still open afterwards.
StepResult Run(WindowFixture& fixture, FaultyRomIo& io, int faultAt, FaultyRomIo::Fault fault,
               const std::function<void()>& step, const std::function<bool()>& open) {
  StepResult result;
  result.before = fixture.ReadRom();
  const std::size_t start = io.kinds.size();
  io.FaultAt(faultAt, fault);
  step();
  result.calls = io.kinds.substr(start);
  result.after = fixture.ReadRom();
  result.reported = !fixture.platform.messages.isEmpty();
  result.romOpen = open();
  return result;
}

enum class EditorAction { kApply, kUndo, kRedo };

// Ctrl+Z, or Ctrl+Shift+Z, pressed in the window.
void StepThroughHistory(QWidget& window, EditorAction action) {
  QTest::keyClick(&window, Qt::Key_Z,
                  action == EditorAction::kUndo ? Qt::ControlModifier
                                                : Qt::ControlModifier | Qt::ShiftModifier);
}

// The step is an Apply of every field at its highest, or the undo of that
// Apply, or its redo.
StepResult EditorStep(const EditorModel& model, EditorAction action, int faultAt,
                      FaultyRomIo::Fault fault) {
  FaultyRomIo io;
  EditorFixture fixture(Sample(), io);
  const auto window = OpenEditor(model, fixture.context);
  PickFirstRecords(*window, model);
  SetEveryField(*window, model, true);
  if (action != EditorAction::kApply) ClickApply(*window);
  if (action == EditorAction::kRedo) StepThroughHistory(*window, EditorAction::kUndo);
  return Run(
      fixture, io, faultAt, fault,
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
StepResult RevertAll(int faultAt, FaultyRomIo::Fault fault) {
  Bytes edited = Sample();
  for (const std::size_t at : {0x1000, 0x50000, 0xFFFF0}) edited[at] ^= 0x5A;
  FaultyRomIo io;
  EditorFixture fixture(edited, io);
  torvale::ui::ChangesWindow window(fixture.context, {Sample(), true}, QStringLiteral("clean.smc"),
                                    nullptr);
  window.show();
  Control<QTreeWidget>(window, "ChangesTRE")->selectAll();
  return Run(
      fixture, io, faultAt, fault, [&] { ClickButton(*Control<QPushButton>(window, "RevertCMD")); },
      [&] { return fixture.rom.IsOpen() || window.isVisible(); });
}

StepResult MainWindowSave(int faultAt, FaultyRomIo::Fault fault) {
  FaultyRomIo io;
  WindowFixture fixture;
  fixture.platform.fileAnswers << fixture.WriteRom(Sample());
  torvale::ui::MainWindow window(fixture.platform, io);
  window.show();
  window.LoadROM();
  ReplaceText(*Control<QLineEdit>(window, "iROMName"), QStringLiteral("RELIABLE NAME"));
  return Run(
      fixture, io, faultAt, fault, [&] { window.SaveROM(); },
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

  int injected = 0, unreported = 0, edits = 0, kills = 0;
  std::size_t outsideFields = 0;

  // Injects every fault the clean run's calls allow; returns the first failure seen.
  QString InjectAll(const Step& step) {
    const StepResult clean = step(0, FaultyRomIo::Fault::kError);
    const std::size_t lastWrite = clean.calls.rfind('w');
    if (clean.reported || lastWrite == std::string::npos ||
        clean.calls.find('s', lastWrite) == std::string::npos) {
      return QStringLiteral("the clean run did not write and sync: ") + clean.calls.c_str();
    }
    QString failure;
    for (std::size_t call = 0; call < clean.calls.size(); ++call) {
      for (const auto fault : {FaultyRomIo::Fault::kError, FaultyRomIo::Fault::kShortWrite}) {
        if (fault == FaultyRomIo::Fault::kShortWrite && clean.calls[call] != 'w') continue;
        const StepResult run = step(static_cast<int>(call) + 1, fault);
        ++injected;
        std::size_t outside = run.after.size() == clean.before.size() ? 0 : run.after.size();
        for (std::size_t at = 0; outside == 0 && at < run.after.size(); ++at) {
          outside += run.after[at] != run.before[at] && run.after[at] != clean.after[at];
        }
        outsideFields += outside;
        unreported += !run.reported;
        // After a failed sync the ROM is not trusted: it is closed, with the editor.
        const bool trustedAfterFailedSync = clean.calls[call] == 's' && run.romOpen;
        if (failure.isEmpty() && (!run.reported || outside != 0 || trustedAfterFailedSync)) {
          failure =
              QString::asprintf("call %zu ('%c'): %s, %zu bytes outside the fields%s", call + 1,
                                clean.calls[call], run.reported ? "reported" : "NOT reported",
                                outside, trustedAfterFailedSync ? ", the ROM left open" : "");
        }
      }
    }
    return failure;
  }

 private slots:
  void everyFaultInAnApplyUndoRedoSaveOrRevertIsReportedAndLeavesOnlyOldOrNewBytes_data() {
    AddEditorRows();
    QTest::newRow("main window's Save and the changes window's Revert") << QString();
  }
  void everyFaultInAnApplyUndoRedoSaveOrRevertIsReportedAndLeavesOnlyOldOrNewBytes() {
    QFETCH(QString, name);
    std::vector<Step> steps = {MainWindowSave, RevertAll};
    if (!name.isEmpty()) {
      steps.clear();
      for (const auto action : {EditorAction::kApply, EditorAction::kUndo, EditorAction::kRedo}) {
        steps.push_back([&, action](int at, FaultyRomIo::Fault fault) {
          return EditorStep(EditorModelNamed(name.toStdString()), action, at, fault);
        });
      }
    }
    for (const Step& step : steps) {
      const QString failure = InjectAll(step);
      QVERIFY2(failure.isEmpty(), qPrintable(failure));
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
        QVERIFY2(differences.empty(), qPrintable(QStringLiteral("step %1: %2")
                                                     .arg(edit)
                                                     .arg(differences.c_str())));
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

  void killedApplyLoopLeavesEveryFieldOldOrNew_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"item", "character stats", "monster", "map properties"})
      QTest::newRow(name) << name;
  }
  void killedApplyLoopLeavesEveryFieldOldOrNew() {
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
    for (int kill = 0; kill < kKillsPerEditor; ++kill, ++kills) {
      QProcess process;
      process.start(QCoreApplication::applicationDirPath() + "/RomProcess",
                    {"apply-loop", fixture.WriteRom(Sample()), name});
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
    qInfo("Faults injected: %d, unreported: %d, bytes changed outside the fields: %zu", injected,
          unreported, outsideFields);
    qInfo("Edits tried: %d; processes killed during Applies: %d", edits, kills);
  }
};

QTEST_MAIN(ReliabilityTest)
#include "ReliabilityTest.moc"
