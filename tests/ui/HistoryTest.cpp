// The ROM's history and its release, from the main window: Undo and Redo by
// menu, by key in an editor and in the history window; a step refused when
// another program changed its bytes; the checksum; the changes since the
// clean ROM, reverted and published as a patch.

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <zlib.h>

#include <fstream>

#include "EditorDriver.h"
#include "WindowFixture.h"
#include "patch/BpsPatch.h"
#include "patch/ChangeSetYaml.h"
#include "patch/ImageDiff.h"
#include "rom/RomImage.h"
#include "ui/MainWindow.h"

using namespace torvale::testing;
using torvale::ui::MainWindow;

namespace {

constexpr std::size_t kCheckWords = 0x81DC;  // complement, then checksum, in the file
constexpr int kItem = 1;

const EditorModel& Items() {
  return EditorModelNamed("item");
}
const FieldModel& MagicBlock() {
  return FieldNamed(Items(), "Byte00TXT");
}

// The sum of the game image's bytes, as the checksum must hold it.
std::uint16_t ImageSum(const Bytes& file) {
  std::uint32_t sum = 0;
  for (std::size_t at = torvale::kCopierHeaderSize; at < file.size(); ++at) sum += file[at];
  return static_cast<std::uint16_t>(sum);
}

QString Cell(const QTreeView& tree, int row, int column) {
  return tree.model()->index(row, column).data().toString();
}

void WriteBytes(const QString& path, const Bytes& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

QStringList Row(const QTreeView& tree, int row) {
  QStringList cells;
  for (int column = 0; column < tree.model()->columnCount(); ++column) {
    cells << Cell(tree, row, column);
  }
  return cells;
}

}  // namespace

class HistoryTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowFixture> fixture;
  std::unique_ptr<MainWindow> window;
  Bytes sample = torvale::romgen::BuildSampleRom();

  void Open(const Bytes& image) {
    fixture = std::make_unique<WindowFixture>();
    fixture->platform.fileAnswers << fixture->WriteRom(image);
    window = std::make_unique<MainWindow>(fixture->platform);
    window->show();
    window->LoadROM();
  }
  QAction& Action(const char* name) { return *Control<QAction>(*window, name); }
  QString Text(const char* label) { return Control<QLabel>(*window, label)->text(); }
  void ExpectFile(const Bytes& expected) {
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }
  // Opens the item editor from the tree and runs `steps` in it.
  void InItemEditor(const std::function<void(QDialog&)>& steps) {
    fixture->platform.whileModal = [&](QDialog& editor) {
      QVERIFY(torvale::tools::ShowUntilFilled(editor));
      PickRecord(editor, Items().pickers[0], kItem);
      steps(editor);
    };
    torvale::tools::ClickNode(*Control<QTreeWidget>(*window, "Tree"),
                              QStringLiteral("Item Editor"));
  }
  Bytes Edited(int value) {
    Bytes edited = sample;
    Store(MagicBlock(), edited, kItem, value);
    return edited;
  }

 private slots:
  void undoAndRedoByMenuByKeyAndInTheHistoryWindow() {
    Open(sample);
    QString itemName;
    InItemEditor([&](QDialog& editor) {
      itemName = Control<QListWidget>(editor, "ItemLST")->item(kItem)->text();
      SetField(editor, MagicBlock(), 77);
      ClickApply(editor);
      // In a box with no typing of its own to take back, Ctrl+Z steps back,
      // names the step and turns to the record it changed.
      PickRecord(editor, Items().pickers[0], kItem + 5);
      auto* box = Control<QLineEdit>(editor, "Byte00TXT");
      QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
      ExpectFile(sample);
      ExpectShown(editor, {{"HistoryLBL", QStringLiteral("Undone: Item Editor: ") + itemName},
                           {"ItemLST", QString::number(kItem)}});
      QCOMPARE(ShownValue(editor, MagicBlock()), ValueOf(MagicBlock(), sample, kItem));
      QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      ExpectFile(Edited(77));
      QCOMPARE(ShownValue(editor, MagicBlock()), 77);
    });
    QCOMPARE(Action("mnuUndo").text(), QStringLiteral("&Undo Item Editor: ") + itemName);
    QVERIFY(!Action("mnuRedo").isEnabled());
    Action("mnuUndo").trigger();
    ExpectFile(sample);
    QCOMPARE(Action("mnuRedo").text(), QStringLiteral("&Redo Item Editor: ") + itemName);
    // The desktop's keys, and Ctrl+Shift+Z and Ctrl+Y for Redo on any desktop.
    const QList<QKeySequence> redoKeys = Action("mnuRedo").shortcuts();
    for (const QKeySequence& key :
         QKeySequence::keyBindings(QKeySequence::Redo) +
             QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                 QKeySequence(QStringLiteral("Ctrl+Y"))}) {
      QVERIFY2(redoKeys.contains(key), qPrintable(key.toString()));
    }
    QCOMPARE(Action("mnuUndo").shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
    Action("mnuRedo").trigger();
    ExpectFile(Edited(77));

    // Save is a step too; undone, the main window shows the file's name again.
    const QString name = Control<QLineEdit>(*window, "iROMName")->text();
    ReplaceText(*Control<QLineEdit>(*window, "iROMName"), QStringLiteral("RENAMED"));
    QVERIFY(window->SaveROM());
    QCOMPARE(Action("mnuUndo").text(), QStringLiteral("&Undo Save"));
    Action("mnuUndo").trigger();
    ExpectFile(Edited(77));
    QCOMPARE(Control<QLineEdit>(*window, "iROMName")->text(), name);

    // The history window goes back to the ROM as opened with one click.
    fixture->platform.whileModal = [&](QDialog& history) {
      auto* list = Control<QListView>(history, "HistoryLST");
      QCOMPARE(list->model()->rowCount(), 3);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualRect(list->model()->index(0, 0)).center());
    };
    Action("mnuHistory").trigger();
    ExpectFile(sample);
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  // A ROM the user closes keeps its history for the session: opened again
  // holding the bytes it was closed with, Undo takes back what was done
  // before. Each ROM shows its own; a file changed while closed starts anew.
  void historyOutlivesTheRomClosedWhileItsFileStaysAsItWas() {
    Open(sample);
    const QString rom = QString::fromStdString(fixture->folder.File("test.smc").string());
    const QString other = fixture->WriteRom(sample, "other.smc");
    InItemEditor([&](QDialog& editor) {
      SetField(editor, MagicBlock(), 77);
      ClickApply(editor);
    });
    const QString undo = Action("mnuUndo").text();
    // Close ROM, a cancelled Open and another ROM opened each close it.
    for (const QString& answer : {QStringLiteral("-"), QString(), other}) {
      if (answer == "-") {
        Action("mnuClose").trigger();
      } else {
        fixture->platform.fileAnswers << answer;
        Action("mnuOpen").trigger();
      }
      QVERIFY(!Action("mnuUndo").isEnabled());  // the other ROM has a history of its own
      fixture->platform.fileAnswers << rom;
      Action("mnuOpen").trigger();
      QCOMPARE(Action("mnuUndo").text(), undo);
    }
    Action("mnuUndo").trigger();
    ExpectFile(sample);
    // A file changed while it was closed starts a new history.
    Action("mnuClose").trigger();
    fixture->WriteRom(Edited(78), "test.smc");
    fixture->platform.fileAnswers << rom;
    Action("mnuOpen").trigger();
    QVERIFY(!Action("mnuUndo").isEnabled() && !Action("mnuRedo").isEnabled());
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  // Fields that share their bytes and cannot go back alone go back together,
  // selected and named before anything is written.
  void revertTakesAlongWhatCannotGoBackAlone() {
    const Bytes clean = Patched(sample, 0xA8503, {0x00, 0x05});  // a chest of 50 GP
    Open(Patched(clean, 0xA8503, {0x80, 0x21}));                 // now of an item
    fixture->platform.fileAnswers << fixture->WriteRom(clean, "clean.smc");
    fixture->platform.whileModal = [&](QDialog& changes) {
      auto& tree = *Control<QTreeView>(changes, "ChangesTRE");
      QCOMPARE(tree.model()->rowCount(), 3);
      tree.setCurrentIndex(tree.model()->index(0, 0));
      QCOMPARE(Cell(tree, 0, 2), QStringLiteral("Kind"));
      ClickButton(*Control<QPushButton>(changes, "RevertCMD"));
      ExpectMessage(fixture->platform, MessageIcon::kInformation,
                    "These fields share their bytes with the ones chosen, which cannot go back "
                    "without them, so they go back too and are now selected: Treasure: A8503 GP, "
                    "Treasure: A8503 Item.");
    };
    Action("mnuCompare").trigger();
    ExpectFile(clean);
    QCOMPARE(Action("mnuUndo").text(),
             QStringLiteral("&Undo Revert Treasure: A8503 Kind, Treasure: A8503 GP, Treasure: "
                            "A8503 Item"));
  }

  void stepIsRefusedWhenAnotherProgramChangedItsBytes() {
    Open(sample);
    InItemEditor([&](QDialog& editor) {
      SetField(editor, MagicBlock(), 77);
      ClickApply(editor);
    });
    Bytes changed = Edited(78);  // another program's write over the same byte
    std::fstream(fixture->folder.File("test.smc"), std::ios::in | std::ios::out | std::ios::binary)
        .write(reinterpret_cast<const char*>(changed.data()), static_cast<long>(changed.size()));
    Action("mnuUndo").trigger();
    ExpectFile(changed);
    QCOMPARE(fixture->platform.messages.size(), 1);
    const QString text = fixture->platform.messages[0].text;
    QVERIFY2(text.contains(QStringLiteral("another program changed the ROM since")) &&
                 text.contains(QStringLiteral("holds 0x4E where 0x4D was expected")) &&
                 text.endsWith(QStringLiteral("Nothing was written.")),
             qPrintable(text));
    QVERIFY(Action("mnuUndo").isEnabled());  // the step stays, to be tried again
  }

  void checksumIsShownFixedAndFixedOnSave() {
    Bytes wrong = sample;
    std::fill_n(wrong.begin() + kCheckWords, 4, 0);
    Open(wrong);
    QVERIFY2(Text("ChecksumLBL").startsWith(QStringLiteral("Wrong (stored 0x0000, computed 0x")),
             qPrintable(Text("ChecksumLBL")));
    Action("mnuFixChecksum").trigger();
    const Bytes fixed = fixture->ReadRom();
    const std::uint16_t checksum = fixed[kCheckWords + 2] | fixed[kCheckWords + 3] << 8;
    QCOMPARE(checksum, ImageSum(fixed));
    QCOMPARE(fixed[kCheckWords] | fixed[kCheckWords + 1] << 8, checksum ^ 0xFFFF);
    QCOMPARE(Text("ChecksumLBL"), QStringLiteral("Correct"));
    QVERIFY(!Action("mnuFixChecksum").isEnabled());
    Action("mnuUndo").trigger();
    ExpectFile(wrong);

    // Save leaves the checksum alone unless asked, and the choice is remembered.
    QVERIFY(window->SaveROM());
    const Bytes saved = fixture->ReadRom();
    QCOMPARE(Bytes(saved.begin() + kCheckWords, saved.begin() + kCheckWords + 4), Bytes(4, 0));
    Control<QCheckBox>(*window, "FixChecksumCHK")->click();
    QVERIFY(window->SaveROM());
    const Bytes fixedOnSave = fixture->ReadRom();
    QCOMPARE(fixedOnSave[kCheckWords + 2] | fixedOnSave[kCheckWords + 3] << 8,
             int{ImageSum(fixedOnSave)});
    MainWindow again(fixture->platform);
    QVERIFY(Control<QCheckBox>(again, "FixChecksumCHK")->isChecked());
  }

  // A patch made elsewhere, taken in three ways: a field still clean takes the
  // patch's value, one that holds it already is left, one changed here too
  // only when ticked; each Apply is one step. The open ROM's own changes
  // export as a change set.
  void patchesAreTakenInFieldByFieldAndChangesExported() {
    Bytes hack = sample;
    for (const auto& [item, value] : {std::pair{1, 10}, {2, 20}, {3, 30}}) {
      Store(MagicBlock(), hack, item, value);
    }
    Bytes open = sample;
    Store(MagicBlock(), open, 2, 20);
    Store(MagicBlock(), open, 3, 99);
    Open(open);
    const std::span<const std::uint8_t> cleanImage(sample.begin() + 0x200, sample.end()),
        hackImage(hack.begin() + 0x200, hack.end());
    const QString patch = QString::fromStdString(fixture->folder.File("hack.bps").string());
    WriteBytes(patch, torvale::EncodeBps(cleanImage, hackImage,
                                         torvale::DiffImages(cleanImage, hackImage),
                                         "<?xml version=\"1.0\"?>\n<patch>\n <title>Harder</title>\n <source crc32=\"0A\"/>\n</patch>\n"));
    const QString clean =
        QString::fromStdString(WriteRom(fixture->folder, sample, "clean.sfc").string());
    fixture->platform.fileAnswers << patch << clean;
    Bytes expected = open;
    fixture->platform.whileModal = [&](QDialog& window) {
      QCOMPARE(window.windowTitle(), QStringLiteral("Apply Patch: hack.bps"));
      QCOMPARE(Shown(window, "MetadataLBL"), QStringLiteral("Title: Harder\nSource crc32: 0A"));
      auto& tree = *Control<QTreeView>(window, "PatchTRE");
      auto& rows = *tree.model();
      QCOMPARE(rows.rowCount(), 3);
      const QStringList states = {"will change", "already so", "conflict: changed here too"};
      const QString clean1 = QString::number(ValueOf(MagicBlock(), sample, 1));
      QCOMPARE(Row(tree, 0).mid(2), QStringList({"Magic Block %", clean1, clean1, "10", states[0]}));
      for (int row = 0; row < 3; ++row) {
        QCOMPARE(Cell(tree, row, 6), states[row]);
        QCOMPARE(rows.index(row, 0).data(Qt::CheckStateRole),
                 row == 1 ? QVariant() : QVariant(row == 0 ? Qt::Checked : Qt::Unchecked));
      }
      ClickButton(*Control<QPushButton>(window, "ApplyCMD"));
      Store(MagicBlock(), expected, 1, 10);
      ExpectFile(expected);
      QCOMPARE(Cell(tree, 0, 6), states[1]);
      // The conflict goes in only once the user ticks it.
      QVERIFY(!Control<QPushButton>(window, "ApplyCMD")->isEnabled());
      rows.setData(rows.index(2, 0), Qt::Checked, Qt::CheckStateRole);
      QVERIFY(Control<QPushButton>(window, "ApplyCMD")->isEnabled());
      ClickButton(*Control<QPushButton>(window, "ApplyCMD"));
      Store(MagicBlock(), expected, 3, 30);
      ExpectFile(expected);
      QCOMPARE(Shown(window, "StatusLBL"),
               QStringLiteral("0 will change, 3 already so, 0 changed here too; 0 ticked."));
    };
    Action("mnuApplyPatch").trigger();
    QCOMPARE(fixture->platform.askedFilters.at(1),
             QStringLiteral("Patches and Change Sets (*.bps, *.ips, *.yaml)|*.bps;*.ips;*.yaml;*.yml|"
                            "All Files (*.*)|*.*"));
    QCOMPARE(Action("mnuUndo").text(), QStringLiteral("&Undo Apply Patch: hack.bps"));
    Action("mnuUndo").trigger();
    Action("mnuUndo").trigger();
    ExpectFile(open);

    // The open ROM's changes as text; never written over a ROM.
    fixture->platform.fileAnswers << QString::fromStdString(fixture->folder.File("mine").string());
    Action("mnuExportChanges").trigger();
    const QString written = QString::fromStdString(fixture->folder.File("mine.yaml").string());
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Change set \"%1\" written: 2 changed fields and 0 other runs.")
                 .arg(written));
    const Bytes yaml = ReadFileBytes(fixture->folder.File("mine.yaml"));
    const torvale::ChangeSet exported =
        torvale::ReadChangeSetYaml(std::string_view(reinterpret_cast<const char*>(yaml.data()), yaml.size()));
    QCOMPARE(exported.fields.size(), 2u);
    QCOMPARE(exported.fields[1].record, 3);
    QCOMPARE(exported.fields[1].value, torvale::Value{std::int64_t{99}});
    QCOMPARE(exported.clean.crc32, crc32_z(0, cleanImage.data(), cleanImage.size()));
    fixture->platform.fileAnswers << clean;
    Action("mnuExportChanges").trigger();
    ExpectFile(open);
    QCOMPARE(ReadFileBytes(clean.toStdString()), sample);
    QCOMPARE(fixture->platform.messages.size(), 1);
    QVERIFY(fixture->platform.messages[0].text.endsWith(QStringLiteral("No change set was written.")));

    // A patch made for another image is refused, naming both, and writes nothing.
    Bytes other = sample;
    other[0x300] ^= 1;
    const std::span<const std::uint8_t> otherImage(other.begin() + 0x200, other.end());
    WriteBytes(patch, torvale::EncodeBps(otherImage, hackImage,
                                         torvale::DiffImages(otherImage, hackImage)));
    fixture->platform.fileAnswers << patch;
    Action("mnuApplyPatch").trigger();
    QCOMPARE(fixture->platform.messages.size(), 2);
    QVERIFY2(fixture->platform.messages[1].text.contains(QStringLiteral("The patch was made for an image of CRC32")),
             qPrintable(fixture->platform.messages[1].text));
    ExpectFile(open);
  }

  void changesSinceTheCleanRomAreListedRevertedAndPatched() {
    Bytes edited = Edited(77);
    edited.back() ^= 0xFF;  // a byte no table describes
    Open(edited);
    const QString clean =
        QString::fromStdString(WriteRom(fixture->folder, sample, "clean.sfc").string());
    const QString made = QString::fromStdString(fixture->folder.File("made").string());
    fixture->platform.fileAnswers << clean << made;
    fixture->platform.saveFilterAnswers << QStringLiteral("IPS Patch (*.ips)");
    QString release;
    fixture->platform.whileModal = [&](QDialog& changes) {
      if (changes.objectName() == QStringLiteral("ReleaseBlockWindow")) {
        ClickButton(*Control<QPushButton>(changes, "CopyCMD"));
        release = QGuiApplication::clipboard()->text();
        QCOMPARE(Control<QPlainTextEdit>(changes, "ReleaseTXT")->toPlainText(), release);
        return;
      }
      auto& tree = *Control<QTreeView>(changes, "ChangesTRE");
      QVERIFY(Shown(changes, "CleanCrcLBL")
                  .endsWith(QStringLiteral(", not a known unedited dump of this game; it is taken "
                                           "as the clean ROM all the same.")));
      QCOMPARE(tree.model()->rowCount(), 2);
      const QString lastByte =
          QStringLiteral("0x") +
          QString::number(edited.size() - 1, 16).toUpper().rightJustified(6, u'0');
      QCOMPARE(
          Row(tree, 0),
          QStringList({"Items", tree.model()->index(0, 1).data().toString(), "Magic Block %",
                       QString::number(ValueOf(MagicBlock(), sample, kItem)), "77", "0x079308"}));
      QCOMPARE(Row(tree, 1).mid(0, 3), QStringList({"Other bytes", lastByte, "1 byte"}));
      QCOMPARE(Row(tree, 1)[5], lastByte);
      // Sorted by file offset, the last byte comes last; filtered, only the item's row stays.
      tree.sortByColumn(5, Qt::DescendingOrder);
      QCOMPARE(Cell(tree, 0, 0), QStringLiteral("Other bytes"));
      tree.sortByColumn(-1, Qt::AscendingOrder);
      Drive(changes, "FilterTXT=magic");
      QCOMPARE(tree.model()->rowCount(), 1);
      QVERIFY(Shown(changes, "StatusLBL").endsWith(QStringLiteral(" 1 of 2 rows shown.")));
      Control<QLineEdit>(changes, "FilterTXT")->clear();
      ClickButton(*Control<QPushButton>(changes, "CreatePatchCMD"));
      QCOMPARE(Control<QLabel>(changes, "StatusLBL")->text(),
               QStringLiteral("Patch \"%1.ips\" written: it changes 2 bytes in 2 runs.").arg(made));
      QVERIFY(fixture->platform.askedSaveTitles.last().contains(QStringLiteral("512-byte")));
      tree.setCurrentIndex(tree.model()->index(0, 0));
      ClickButton(*Control<QPushButton>(changes, "RevertCMD"));
      Bytes reverted = sample;
      reverted.back() = edited.back();
      ExpectFile(reverted);
      QCOMPARE(tree.model()->rowCount(), 1);
      QTest::keyClick(&tree, Qt::Key_Z, Qt::ControlModifier);
      ExpectFile(edited);
      QCOMPARE(tree.model()->rowCount(), 2);
    };
    Action("mnuCompare").trigger();
    // Between the images without copier headers: offsets 0x200 below the file's.
    const Bytes ips = {'P', 'A',  'T',  'C',  'H',  0x07, 0x91,          0x08, 0x00, 0x01,
                       77,  0x0F, 0xFF, 0xFF, 0x00, 0x01, edited.back(), 'E',  'O',  'F'};
    QCOMPARE(ReadFileBytes(fixture->folder.File("made.ips")), ips);
    QVERIFY(fixture->platform.messages.isEmpty());
    // The release block names both images without their copier headers.
    const auto crcOf = [](const Bytes& file) {
      return QStringLiteral("0x") +
             QString::number(crc32_z(0, file.data() + 0x200, file.size() - 0x200), 16)
                 .toUpper()
                 .rightJustified(8, u'0');
    };
    QVERIFY2(release.contains(crcOf(sample)) && release.contains(crcOf(edited)) &&
                 release.indexOf(crcOf(sample)) < release.indexOf(crcOf(edited)),
             qPrintable(release));

    // A BPS patch carries what the user says of it; cancelled, none is written.
    for (const bool write : {false, true}) {
      fixture->platform.fileAnswers << QString::fromStdString(fixture->folder.File("told.bps"));
      fixture->platform.whileModal = [&](QDialog& window) {
        if (window.objectName() != QStringLiteral("PatchDetailsDialog")) return;
        QTest::keyClicks(Control<QLineEdit>(window, "TitleTXT"), QStringLiteral("Dearer Items"));
        QTest::keyClicks(Control<QLineEdit>(window, "AuthorTXT"), QStringLiteral("Jo & Al"));
        ClickButton(*Control<QPushButton>(window, write ? "WriteCMD" : "CancelCMD"));
      };
      Action("mnuCreatePatch").trigger();
      QCOMPARE(std::filesystem::exists(fixture->folder.File("told.bps")), write);
    }
    const Bytes bps = ReadFileBytes(fixture->folder.File("told.bps"));
    const std::string patch(bps.begin(), bps.end());
    QVERIFY(patch.find("<title>Dearer Items</title>") != std::string::npos);
    QVERIFY(patch.find("<author>Jo &amp; Al</author>") != std::string::npos);

    // The clean ROM is remembered for this ROM; equal images write no patch.
    std::filesystem::remove(fixture->folder.File("made.ips"));
    fixture->platform.whileModal = [](QDialog& changes) {
      Control<QTreeView>(changes, "ChangesTRE")->selectAll();
      ClickButton(*Control<QPushButton>(changes, "RevertCMD"));
    };
    Action("mnuCompare").trigger();
    ExpectFile(sample);
    fixture->platform.fileAnswers << QString::fromStdString(fixture->folder.File("same.bps"));
    Action("mnuCreatePatch").trigger();
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("The open ROM does not differ from the clean ROM: no patch written."));
    QVERIFY(!std::filesystem::exists(fixture->folder.File("same.bps")));
    QCOMPARE(ReadFileBytes(clean.toStdString()), sample);  // never written

    // A clean ROM of another size is refused, and forgotten.
    WriteRom(fixture->folder, Bytes(sample.begin(), sample.end() - 0x8000), "clean.sfc");
    Action("mnuCompare").trigger();
    QCOMPARE(fixture->platform.messages.size(), 1);
    QVERIFY(fixture->platform.messages[0].text.contains(QStringLiteral("bytes; a clean ROM")));
    Action("mnuCompare").trigger();  // asks again: cancelled
    QCOMPARE(fixture->platform.messages.size(), 1);
  }
};

QTEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
