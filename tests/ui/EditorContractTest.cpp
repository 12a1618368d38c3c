// What every editor of the registry promises, checked on each editor model
// of the game's layout (Layout.h): it opens on its first record and shows
// what the file holds; Cancel, Escape and Enter in a list write nothing, and
// Enter in a box applies as Apply does; a record whose read failed cannot be
// applied; a file another program changed is closed with the editor; and
// each refusal names what is missing. What an Apply writes is checked by the
// reliability suite's random edits.

#include <random>

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "WindowFixture.h"
#include "ui/EditorRegistry.h"

using namespace torvale::testing;

namespace {

// The records each field is planted in: one apiece, from the last record on.
int PlantedRecord(const EditorModel& model, std::size_t field) {
  const RecordPicker& picker = model.pickers[static_cast<std::size_t>(model.fields[field].picker)];
  return picker.first + picker.count - 1 - static_cast<int>(field);
}

}  // namespace

class EditorContractTest : public QObject {
  Q_OBJECT

 private slots:
  void registryOpensEveryModelledWindow() {
    QSet<QString> windows, modelled;
    for (const torvale::ui::EditorEntry& editor : torvale::ui::Editors()) {
      if (editor.create == nullptr) continue;
      windows << QString::fromLatin1(editor.window);
      EditorFixture fixture;
      const auto window = editor.create(fixture.context, nullptr);
      QCOMPARE(window->objectName(), QString::fromLatin1(editor.window));
      QVERIFY(window->windowTitle().startsWith(QString::fromLatin1(editor.caption)));
    }
    for (const EditorModel& model : EditorModels()) modelled << QString::fromLatin1(model.window);
    QCOMPARE(windows, modelled);
  }

  void opensOnItsFirstRecordAndShowsWhatTheFileHolds_data() { AddEditorRows(); }
  void opensOnItsFirstRecordAndShowsWhatTheFileHolds() {
    const EditorModel& model = RowModel();
    std::mt19937 random(static_cast<unsigned>(qHash(QString::fromLatin1(model.name))));
    Bytes image = Sample();
    std::vector<int> planted;
    for (std::size_t field = 0; field < model.fields.size(); ++field) {
      const FieldModel& layout = model.fields[field];
      planted.push_back(std::uniform_int_distribution(layout.min, layout.max)(random));
      Plant(layout, image, PlantedRecord(model, field), planted.back());
    }
    EditorFixture fixture(image);
    const auto window = OpenEditor(model, fixture.context);
    // The music editor and the text list wait for the user to pick a record.
    const bool picksFirst =
        model.name != std::string("music") && model.name != std::string("text list");
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
      const bool name = layout.kind == FieldKind::kName;
      const QString shown = name ? Control<QLineEdit>(*window, layout.control)->text()
                                 : QString::number(ShownValue(*window, layout));
      const QString held = name ? QString::fromStdString(NameFor(planted[field], layout.max))
                                      .leftJustified(layout.max)
                                : QString::number(ValueOf(layout, image, record));
      const QString where = QStringLiteral("%1 of record %2: ").arg(layout.control).arg(record);
      QCOMPARE(where + shown, where + held);
      if (name) {  // a character the game cannot show is refused as it is typed
        auto& box = *Control<QLineEdit>(*window, layout.control);
        ReplaceText(box, QStringLiteral("Q&W"));
        QCOMPARE(where + box.text(), where + QStringLiteral("QW"));
      }
    }
    QCOMPARE(DescribeDifferences(image, fixture.ReadRom()), "");
    QVERIFY(fixture.platform.messages.isEmpty());
  }

  void keysAndButtonsEndAnEditAsTheySay_data() { AddEditorRows(); }
  void keysAndButtonsEndAnEditAsTheySay() {
    const EditorModel& model = RowModel();
    EditorFixture fixture;
    Bytes applied;
    for (const QString ending : {"QuitCMD", "Escape", "Return in a list", "ApplyCMD", "Return"}) {
      const auto window = OpenEditor(model, fixture.context);
      PickFirstRecords(*window, model);
      // A song picked in the music editor is stored at once, by design.
      const bool music = model.name == std::string("music");
      if (!music) SetEveryField(*window, model, true);
      auto* picker = Control<QWidget>(*window, model.pickers[0].control);
      const auto box = std::find_if(model.fields.begin(), model.fields.end(), [&](const auto& f) {
        return CanEdit(*window, f) && (f.kind == FieldKind::kNumber || f.kind == FieldKind::kName);
      });
      if (ending == "QuitCMD") Drive(*window, ending);
      if (ending == "Escape") QTest::keyClick(picker, Qt::Key_Escape);
      if (ending == "Return in a list" && qobject_cast<QListWidget*>(picker) != nullptr) {
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Return);
        QVERIFY(window->isVisible());
      }
      if (ending != "ApplyCMD" && ending != "Return") {
        QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
      }
      if (music || box == model.fields.end()) continue;  // nothing to type in
      if (ending == "ApplyCMD") {
        Drive(*window, ending);
        applied = fixture.ReadRom();
        QVERIFY(DescribeDifferences(fixture.original, applied) != "");
        fixture.WriteRom(fixture.original);
      } else if (ending == "Return") {
        auto* typedIn = Control<QWidget>(*window, box->control);
        typedIn->setFocus();
        QTest::keyClick(typedIn, Qt::Key_Return);
        QCOMPARE(DescribeDifferences(applied, fixture.ReadRom()), "");
      }
    }
  }

  // A record whose read failed cannot be applied; a file another program
  // changed is closed with the editor.
  void failedReadsAndChangedFilesWriteNothing_data() { AddEditorRows(); }
  void failedReadsAndChangedFilesWriteNothing() {
    const EditorModel& model = RowModel();
    FaultyRomIo io;
    EditorFixture fixture(Sample(), io);
    const auto window = OpenEditor(model, fixture.context);
    const RecordPicker& picker = model.pickers[0];
    PickRecord(*window, picker, picker.first + 1);
    auto* apply = Control<QPushButton>(*window, "ApplyCMD");
    QVERIFY(apply->isEnabled());
    io.FaultAt(1, FaultyRomIo::Fault::kError, 'r');
    PickRecord(*window, picker, picker.first + 2);
    ExpectMessage(fixture.platform, MessageIcon::kCritical,
                  "The entry could not be read from the ROM", false);
    const auto& messages = fixture.platform.messages;
    QVERIFY(!apply->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Return);
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
    PickRecord(*window, picker, picker.first + 3);
    QVERIFY(apply->isEnabled());
    PickFirstRecords(*window, model);
    SetEveryField(*window, model, false);
    const Bytes shorter(fixture.original.begin(), fixture.original.end() - 1);
    fixture.WriteRom(shorter);  // another program rewrites the file one byte short
    ClickApply(*window);
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[1].text.contains("could not be written"));
    QVERIFY(messages[1].text.endsWith("open it again to check it."));
    QVERIFY(!fixture.rom.IsOpen());
    QVERIFY(!window->isVisible());
    QCOMPARE(DescribeDifferences(shorter, fixture.ReadRom()), "");
  }

  // Refusals: the editor, what a user does (as WindowFixture's Drive takes
  // it), the message that refuses the Apply, and what a control shows then.
  void refusalsNameWhatIsMissingAndWriteNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    const QString nothing = QStringLiteral("\r\n\r\nNothing was written.");
    const QString noItem = QStringLiteral(
        "You need to select a Monster Formation or Item to go with this Treasure Chest.");
    const QString guarded =
        QStringLiteral("OffsetLST=1 ItemOPT FormationCHK ItemLST=3 FormationLST=");
    const auto warning = MessageIcon::kExclamation, critical = MessageIcon::kCritical;
    QTest::newRow("stat bonus") << "item"
                                << "StatCBO=256" << warning
                                << "Choose a stat bonus: \"[N/A]\" stands for no value." + nothing
                                << QString();
    QTest::newRow("name index")
        << "character stats"
        << "HandLST=1 NameIndexTXT=200" << warning
        << "The name index 200 with \"R-Hand\" makes a byte outside 0 to 255." + nothing
        << QString();
    QTest::newRow("lone minus") << "character stats"
                                << "NameIndexTXT=-" << warning
                                << "\"Name Index\" has no value." + nothing << QString();
    QTest::newRow("nothing picked")
        << "character stats"
        << "RefreshCMD" << warning << "Pick an entry in the list first." + nothing << QString();
    QTest::newRow("song past the list")
        << "music"
        << "" << warning << "\"Song\" has no value." + nothing << QString();
    QTest::newRow("no treasure kind")
        << "treasure"
        << "OffsetLST=1 ClearCMD" << warning
        << "Please select what type of treasure you want to save as." << QString();
    QTest::newRow("no GP amount") << "treasure"
                                  << "OffsetLST=1 GPOPT" << warning
                                  << "Please input a GP amount before you save it."
                                  << "GPTXT=0";
    QTest::newRow("no item") << "treasure"
                             << "OffsetLST=1 ItemOPT ItemLST=256" << critical << noItem
                             << "ItemLST=0";
    QTest::newRow("no formation") << "treasure" << guarded + "128" << critical << noItem
                                  << "FormationLST=64";
    QTest::newRow("formation below 64")
        << "treasure" << guarded + "63" << critical
        << "A chest guarded by monsters needs a Monster Formation from 64 to 127; formation 63 "
           "would be stored as an unguarded chest."
        << "FormationLST=63";
  }
  void refusalsNameWhatIsMissingAndWriteNothing() {
    QFETCH(QString, steps);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    const EditorModel& model = RowModel();
    EditorFixture fixture(SampleWith({{0xA9E8B, {56}}, {0xA8508, {0x9F, 0x21}}}));
    const auto window = OpenEditor(model, fixture.context);
    PickFirstRecords(*window, model);
    Drive(*window, steps);
    ClickApply(*window);
    ExpectMessage(fixture.platform, icon, message);
    if (!shown.isEmpty()) {
      QCOMPARE(Shown(*window, qPrintable(shown.section(u'=', 0, 0))), shown.section(u'=', 1));
    }
    QCOMPARE(DescribeDifferences(fixture.original, fixture.ReadRom()), "");
  }
};

QTEST_MAIN(EditorContractTest)
#include "EditorContractTest.moc"
