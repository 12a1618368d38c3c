// What every editor of the registry promises, checked on each editor model
// of the game's layout (Layout.h): it opens on its first record and shows
// what the file holds; Cancel, Escape and Enter in a list write nothing; a
// record whose read failed cannot be applied; a file another program changed
// is closed with the editor; and each refusal names what is missing. What an
// Apply writes is checked by the reliability suite's random edits.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <random>

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/EditorRegistry.h"

using namespace torvale::testing;
using torvale::ui::MessageIcon;

namespace {

int RandomValue(const FieldModel& field, std::mt19937& random) {
  return std::uniform_int_distribution(field.min, field.max)(random);
}

// The records each field is planted in: one apiece, from the last record on.
int PlantedRecord(const EditorModel& model, std::size_t field) {
  const RecordPicker& picker = model.pickers[static_cast<std::size_t>(model.fields[field].picker)];
  return picker.first + picker.count - 1 - static_cast<int>(field);
}

// Opens the editor of `model` over `fixture`, ready and on its page.
std::unique_ptr<QDialog> Ready(const EditorModel& model, EditorFixture& fixture) {
  auto window = OpenEditor(model, fixture.context);
  if (!WaitUntilReady(*window, model)) qFatal("%s never became ready", model.name);
  return window;
}

QString LastMessage(const EditorFixture& fixture) {
  return fixture.platform.messages.isEmpty() ? QString() : fixture.platform.messages.last().text;
}

}  // namespace

class EditorContractTest : public QObject {
  Q_OBJECT

 private slots:
  void registryOpensEveryModelledWindow() {
    QSet<QString> windows;
    for (const torvale::ui::EditorEntry& editor : torvale::ui::Editors()) {
      if (editor.create == nullptr) continue;
      windows << QString::fromLatin1(editor.window);
      EditorFixture fixture;
      const auto window = editor.create(fixture.context, nullptr);
      QCOMPARE(window->objectName(), QString::fromLatin1(editor.window));
      QVERIFY(window->windowTitle().startsWith(QString::fromLatin1(editor.caption)));
    }
    QSet<QString> modelled;
    for (const EditorModel& model : EditorModels()) modelled << QString::fromLatin1(model.window);
    QCOMPARE(windows, modelled);
  }

  void opensOnItsFirstRecordAndShowsWhatTheFileHolds_data() { AddEditorRows(); }
  void opensOnItsFirstRecordAndShowsWhatTheFileHolds() {
    QFETCH(QString, name);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    std::mt19937 random(static_cast<unsigned>(qHash(name)));
    Bytes image = torvale::romgen::BuildSampleRom();
    std::vector<int> planted;
    for (std::size_t field = 0; field < model.fields.size(); ++field) {
      planted.push_back(RandomValue(model.fields[field], random));
      Plant(model.fields[field], image, PlantedRecord(model, field), planted.back());
    }
    EditorFixture fixture(image);
    const auto window = Ready(model, fixture);
    // The music editor and the text list wait for the user to pick a record.
    const bool picksFirst = name != "music" && name != "text list";
    for (const RecordPicker& picker : model.pickers) {
      if (auto* list = window->findChild<QListWidget*>(QString::fromLatin1(picker.control))) {
        QCOMPARE(list->selectedItems().size(), picksFirst ? 1 : 0);
        if (picksFirst) QCOMPARE(list->currentRow(), picker.first);
      }
    }
    for (std::size_t field = 0; field < model.fields.size(); ++field) {
      const FieldModel& layout = model.fields[field];
      const int record = PlantedRecord(model, field);
      PickRecord(*window, model.pickers[static_cast<std::size_t>(layout.picker)], record);
      if (layout.kind == FieldKind::kName) {
        const QString name = QString::fromStdString(NameFor(planted[field], layout.max));
        QCOMPARE(Control<QLineEdit>(*window, layout.control)->text(),
                 name.leftJustified(layout.max));
      } else {
        QVERIFY2(ShownValue(*window, layout) == ValueOf(layout, image, record),
                 qPrintable(QStringLiteral("%1 of record %2 shows %3, not %4")
                                .arg(QString::fromLatin1(layout.control))
                                .arg(record)
                                .arg(ShownValue(*window, layout))
                                .arg(ValueOf(layout, image, record))));
      }
    }
    QCOMPARE(DescribeDifferences(image, fixture.ReadRom()), "");
    QVERIFY(fixture.platform.messages.isEmpty());
  }

  void cancelEscapeAndEnterInAListWriteNothing_data() { AddEditorRows(); }
  void cancelEscapeAndEnterInAListWriteNothing() {
    QFETCH(QString, name);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    EditorFixture fixture;
    for (const char* ending : {"QuitCMD", "Escape", "Enter in the list"}) {
      const auto window = Ready(model, fixture);
      PickFirstRecords(*window, model);
      // A song picked in the music editor is stored at once, by design.
      if (name != "music") SetEveryField(*window, model, true);
      auto* picker = Control<QWidget>(*window, model.pickers[0].control);
      if (QString::fromLatin1(ending) == QLatin1String("QuitCMD")) {
        QTest::mouseClick(Control<QAbstractButton>(*window, ending), Qt::LeftButton);
      } else if (QString::fromLatin1(ending) == QLatin1String("Escape")) {
        QTest::keyClick(picker, Qt::Key_Escape);
      } else if (qobject_cast<QListWidget*>(picker) != nullptr) {
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Return);
        QVERIFY(window->isVisible());
      }
      QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
    }
  }

  void recordWhoseReadFailedCannotBeApplied_data() { AddEditorRows(); }
  void recordWhoseReadFailedCannotBeApplied() {
    QFETCH(QString, name);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    FaultyRomIo io;
    EditorFixture fixture(torvale::romgen::BuildSampleRom(), io);
    const auto window = Ready(model, fixture);
    const RecordPicker& picker = model.pickers[0];
    PickRecord(*window, picker, picker.first + 1);
    auto* apply = Control<QPushButton>(*window, "ApplyCMD");
    QVERIFY(apply->isEnabled());
    io.FaultAt(1, FaultyRomIo::Fault::kError, 'r');
    PickRecord(*window, picker, picker.first + 2);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::kCritical);
    QVERIFY(LastMessage(fixture).startsWith("The entry could not be read from the ROM"));
    QVERIFY(!apply->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Return);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
    PickRecord(*window, picker, picker.first + 3);
    QVERIFY(apply->isEnabled());
  }

  void fileChangedBehindTheEditorClosesItAndTheRom_data() { AddEditorRows(); }
  void fileChangedBehindTheEditorClosesItAndTheRom() {
    QFETCH(QString, name);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    EditorFixture fixture;
    const auto window = Ready(model, fixture);
    PickFirstRecords(*window, model);
    SetEveryField(*window, model, false);
    const Bytes shorter(fixture.original.begin(), fixture.original.end() - 1);
    fixture.WriteRom(shorter);  // another program rewrites the file one byte short
    ClickApply(*window);
    QVERIFY(LastMessage(fixture).contains("could not be written"));
    QVERIFY(LastMessage(fixture).endsWith("open it again to check it."));
    QVERIFY(!fixture.rom.IsOpen());
    QVERIFY(!window->isVisible());
    QCOMPARE(DescribeDifferences(shorter, fixture.ReadRom()), "");
  }

  // Refusals: what is set up, and the message that refuses the Apply.
  void refusalsNameWhatIsMissingAndWriteNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("message");
    const QString nothing = QStringLiteral("\r\n\r\nNothing was written.");
    QTest::newRow("stat bonus") << "item" << 0
                                << "Choose a stat bonus: \"[N/A]\" stands for no value." + nothing;
    QTest::newRow("name index") << "character stats" << 1
                                << "The name index 200 with \"R-Hand\" makes a byte outside 0 to "
                                   "255." +
                                       nothing;
    QTest::newRow("lone minus") << "character stats" << 2
                                << "\"Name Index\" has no value." + nothing;
    QTest::newRow("nothing picked")
        << "character stats" << 3 << "Pick an entry in the list first." + nothing;
    QTest::newRow("song past the list") << "music" << 4 << "\"Song\" has no value." + nothing;
  }
  void refusalsNameWhatIsMissingAndWriteNothing() {
    QFETCH(QString, name);
    QFETCH(int, setup);
    QFETCH(QString, message);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    EditorFixture fixture(Patched(torvale::romgen::BuildSampleRom(), 0xA9E8B, {56}));
    const auto window = Ready(model, fixture);
    PickFirstRecords(*window, model);
    switch (setup) {
      case 0:
        Control<QComboBox>(*window, "StatCBO")->setCurrentIndex(256);
        break;
      case 1:
        ClickRow(*Control<QListWidget>(*window, "HandLST"), 1);
        ReplaceText(*Control<QLineEdit>(*window, "NameIndexTXT"), QStringLiteral("200"));
        break;
      case 2:
        ReplaceText(*Control<QLineEdit>(*window, "NameIndexTXT"), QStringLiteral("-"));
        break;
      case 3:
        QTest::mouseClick(Control<QAbstractButton>(*window, "RefreshCMD"), Qt::LeftButton);
        break;
    }
    ClickApply(*window);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages[0].icon, MessageIcon::kExclamation);
    QCOMPARE(fixture.platform.messages[0].text, message);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }
};

QTEST_MAIN(EditorContractTest)
#include "EditorContractTest.moc"
