// Torvale and other processes on one ROM: a second process is kept out while
// the ROM is held, and a process killed in the middle of a loop of Applies
// leaves every field either as one Apply or the other wrote it.

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>
#include <random>
#include <thread>

#include "EditorDriver.h"
#include "WindowFixture.h"

using namespace torvale::testing;

namespace {

constexpr int kKillsPerEditor = 12;

QString RomProcessPath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/RomProcess");
}

int RunToEnd(const QStringList& arguments) {
  QProcess process;
  process.start(RomProcessPath(), arguments);
  process.waitForFinished(30000);
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

struct Reference {
  Bytes lowest;   // the file after an Apply of every field at its lowest value
  Bytes highest;  // ... and after one at its highest
  std::vector<std::vector<std::size_t>> spans;  // each field's bytes that differ between them
};

// Runs the two Applies the other process loops over, here, to know their bytes.
Reference MakeReference(const EditorModel& model) {
  EditorFixture fixture;
  const auto window = OpenEditor(model, fixture.context);
  if (!WaitUntilReady(*window, model)) qFatal("%s editor never became ready", model.name);
  PickFirstRecords(*window, model);
  Reference reference;
  for (const bool highest : {false, true}) {
    SetEveryField(*window, model, highest);
    ClickApply(*window);
    (highest ? reference.highest : reference.lowest) = fixture.ReadRom();
  }
  for (const FieldModel& field : model.fields) {
    const int record = model.pickers[static_cast<std::size_t>(field.picker)].first;
    Bytes low = reference.lowest, high = reference.lowest;
    field.store(low, record, field.min);
    field.store(high, record, field.max);
    std::vector<std::size_t> span;
    for (std::size_t at = 0; at < low.size(); ++at) {
      if (low[at] != high[at]) span.push_back(at);
    }
    reference.spans.push_back(span);
  }
  return reference;
}

// Empty when every byte is as one of the two Applies left it and no field mixes them.
QString Torn(const Reference& reference, const Bytes& file) {
  if (file.size() != reference.lowest.size()) return QStringLiteral("the file changed length");
  for (std::size_t at = 0; at < file.size(); ++at) {
    if (file[at] != reference.lowest[at] && file[at] != reference.highest[at]) {
      return QStringLiteral("byte 0x%1 is neither old nor new").arg(at, 0, 16);
    }
  }
  for (std::size_t field = 0; field < reference.spans.size(); ++field) {
    const auto& span = reference.spans[field];
    const auto fromLowest = [&](std::size_t at) { return file[at] == reference.lowest[at]; };
    if (!std::all_of(span.begin(), span.end(), fromLowest) &&
        !std::none_of(span.begin(), span.end(), fromLowest)) {
      return QStringLiteral("field %1 is torn").arg(field);
    }
  }
  return {};
}

}  // namespace

class SeparateProcessTest : public QObject {
  Q_OBJECT

  int kills = 0;

 private slots:
  void secondProcessCannotOpenAHeldRom() {
    EditorFixture fixture;
    const QString path = QString::fromStdString(fixture.folder.File("test.smc").string());
    QCOMPARE(RunToEnd({QStringLiteral("open"), path}), 3);
    fixture.rom.Close();
    QCOMPARE(RunToEnd({QStringLiteral("open"), path}), 0);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }

  void killedApplyLoopLeavesEveryFieldOldOrNew_data() {
    QTest::addColumn<QString>("editor");
    for (const char* editor : {"item", "character stats", "monster", "map properties"}) {
      QTest::newRow(editor) << QString::fromLatin1(editor);
    }
  }
  void killedApplyLoopLeavesEveryFieldOldOrNew() {
    QFETCH(QString, editor);
    const Reference reference = MakeReference(EditorModelNamed(editor.toStdString()));
    QVERIFY(reference.lowest != reference.highest);
    WindowFixture fixture;
    std::mt19937 random(42);
    for (int kill = 0; kill < kKillsPerEditor; ++kill) {
      const QString path = fixture.WriteRom(torvale::romgen::BuildSampleRom());
      QProcess process;
      process.start(RomProcessPath(), {QStringLiteral("apply-loop"), path, editor});
      QVERIFY(process.waitForReadyRead(30000));
      QCOMPARE(process.readLine().trimmed(), QByteArray("ready"));
      std::this_thread::sleep_for(
          std::chrono::microseconds(std::uniform_int_distribution(0, 40000)(random)));
      process.kill();
      QVERIFY(process.waitForFinished(10000));
      ++kills;
      const QString torn = Torn(reference, fixture.ReadRom());
      QVERIFY2(torn.isEmpty(), qPrintable(torn));
    }
  }

  void cleanupTestCase() { qInfo("Processes killed during Applies: %d", kills); }
};

QTEST_MAIN(SeparateProcessTest)
#include "SeparateProcessTest.moc"
