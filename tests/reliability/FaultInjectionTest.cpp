// Every editor's Apply and the main window's Save, run once cleanly and then
// once for each fault at each I/O call they make: a failed read, a failed
// write, a write cut short by a full disk, a failed sync. Each fault must be
// reported to the user, the file must keep its length, and every byte must
// hold either what it held before or what the clean run wrote.

#include <QLineEdit>
#include <QtTest>

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/MainWindow.h"

using namespace torvale::testing;

namespace {

struct StepResult {
  Bytes before;
  Bytes after;
  bool reported = false;
  bool romOpen = true;  // the ROM still open, and the window on show
  std::string calls;    // the kinds of the I/O calls the step made
};

// One run of a step against a fresh copy of the sample ROM, with the fault
// (if any) at call `faultAt` of the step itself.
using Step = std::function<StepResult(int faultAt, FaultyRomIo::Fault fault)>;

const Bytes& Sample() {
  static const Bytes sample = torvale::romgen::BuildSampleRom();
  return sample;
}

StepResult EditorApply(const EditorModel& model, int faultAt, FaultyRomIo::Fault fault) {
  FaultyRomIo io;
  EditorFixture fixture(Sample(), io);
  const auto window = OpenEditor(model, fixture.context);
  if (!WaitUntilReady(*window, model)) qFatal("%s editor never became ready", model.name);
  PickFirstRecords(*window, model);
  SetEveryField(*window, model, true);
  StepResult result;
  result.before = fixture.ReadRom();
  const std::size_t start = io.kinds.size();
  io.FaultAt(faultAt, fault);
  const auto messagesBefore = fixture.platform.messages.size();
  ClickApply(*window);
  result.calls = io.kinds.substr(start);
  result.after = fixture.ReadRom();
  result.reported = fixture.platform.messages.size() > messagesBefore;
  result.romOpen = fixture.rom.IsOpen() || window->isVisible();
  return result;
}

StepResult MainWindowSave(int faultAt, FaultyRomIo::Fault fault) {
  FaultyRomIo io;
  WindowFixture fixture;
  fixture.platform.fileAnswers << fixture.WriteRom(Sample());
  torvale::ui::MainWindow window(fixture.platform, io);
  window.show();
  window.LoadROM();
  ReplaceText(*Control<QLineEdit>(window, "iROMName"), QStringLiteral("RELIABLE NAME"));
  StepResult result;
  result.before = fixture.ReadRom();
  const std::size_t start = io.kinds.size();
  io.FaultAt(faultAt, fault);
  window.SaveROM();
  result.calls = io.kinds.substr(start);
  result.after = fixture.ReadRom();
  result.reported = !fixture.platform.messages.isEmpty();
  result.romOpen = Control<QWidget>(window, "SaveCMD")->isEnabled();
  return result;
}

struct Totals {
  int injected = 0;
  int unreported = 0;
  std::size_t bytesOutsideFields = 0;
};

}  // namespace

class FaultInjectionTest : public QObject {
  Q_OBJECT

  Totals totals;

  // Injects every fault the clean run's calls allow; returns the first failure seen.
  QString InjectAll(const Step& step) {
    const StepResult clean = step(0, FaultyRomIo::Fault::kError);
    if (clean.reported) return QStringLiteral("the clean run reported an error");
    if (clean.calls.find('w') == std::string::npos)
      return QStringLiteral("the clean run wrote nothing");
    QString failure;
    for (std::size_t call = 0; call < clean.calls.size(); ++call) {
      std::vector<FaultyRomIo::Fault> faults = {FaultyRomIo::Fault::kError};
      if (clean.calls[call] == 'w') faults.push_back(FaultyRomIo::Fault::kShortWrite);
      for (const FaultyRomIo::Fault fault : faults) {
        const StepResult run = step(static_cast<int>(call) + 1, fault);
        ++totals.injected;
        std::size_t outside = run.after.size() == clean.before.size() ? 0 : run.after.size();
        for (std::size_t at = 0; outside == 0 && at < run.after.size(); ++at) {
          outside += run.after[at] != run.before[at] && run.after[at] != clean.after[at];
        }
        totals.bytesOutsideFields += outside;
        totals.unreported += !run.reported;
        // After a failed sync the ROM is not trusted: it is closed, with the editor.
        const bool trustedAfterFailedSync = clean.calls[call] == 's' && run.romOpen;
        if (failure.isEmpty() && (!run.reported || outside != 0 || trustedAfterFailedSync)) {
          failure = QStringLiteral("call %1 ('%2', %3): %4, %5 bytes outside the fields%6")
                        .arg(call + 1)
                        .arg(QChar::fromLatin1(clean.calls[call]))
                        .arg(fault == FaultyRomIo::Fault::kError ? "error" : "short write")
                        .arg(run.reported ? "reported" : "NOT reported")
                        .arg(outside)
                        .arg(trustedAfterFailedSync ? ", the ROM left open" : "");
        }
      }
    }
    return failure;
  }

 private slots:
  void everyFaultInAnApplyIsReportedAndLeavesOnlyOldOrNewBytes_data() { AddEditorRows(); }
  void everyFaultInAnApplyIsReportedAndLeavesOnlyOldOrNewBytes() {
    QFETCH(QString, name);
    const EditorModel& editor = EditorModelNamed(name.toStdString());
    const QString failure = InjectAll(
        [&](int faultAt, FaultyRomIo::Fault fault) { return EditorApply(editor, faultAt, fault); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
  }

  void everyFaultInASaveIsReportedAndLeavesOnlyOldOrNewBytes() {
    const QString failure = InjectAll(MainWindowSave);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
  }

  void cleanupTestCase() {
    qInfo("Faults injected: %d, unreported: %d, bytes changed outside the fields: %zu",
          totals.injected, totals.unreported, totals.bytesOutsideFields);
  }
};

QTEST_MAIN(FaultInjectionTest)
#include "FaultInjectionTest.moc"
