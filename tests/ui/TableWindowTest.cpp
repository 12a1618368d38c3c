// Every table of the game as a grid, opened from the main window's Tables
// menu: it shows what the file holds as the game's layout says (Layout.h);
// cells are edited in place with the form's rules, marked, applied as one
// step and undone; the file changed under a changed cell refuses the Apply;
// copy and paste go as spreadsheets take them; columns sort and the filter
// keeps rows; CSV goes out and comes back; a window with changes asks before
// it closes; Where Used and Find lead to the records.

#include <QAbstractItemModelTester>
#include <algorithm>
#include <random>

#include "EditorDriver.h"
#include "WindowFixture.h"
#include "data/Tables.h"
#include "ui/EditorRegistry.h"
#include "ui/MainWindow.h"
#include "ui/TableModel.h"

using namespace torvale::testing;
using torvale::ui::MainWindow;

namespace {

constexpr std::size_t kPrices = 0x7A650, kItemRecords = 0x79300, kShops = 0x9A500;

QString Caption(const QAction& action) {
  return action.text().remove(u'&');
}

}  // namespace

class TableWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowFixture> fixture;
  std::unique_ptr<MainWindow> window;

  void Load(const Bytes& image = Sample()) {
    fixture = std::make_unique<WindowFixture>();
    fixture->platform.fileAnswers << fixture->WriteRom(image);
    window = std::make_unique<MainWindow>(fixture->platform);
    window->show();
    window->LoadROM();
  }
  // Opens the table's window from the Tables menu, as a user does.
  QMainWindow& OpenTable(const QString& name) {
    for (QAction* entry : Control<QMenu>(*window, "mnuTables")->actions()) {
      if (Caption(*entry) == name) entry->trigger();
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == "TableWindow" && top->windowTitle() == name && top->isVisible()) {
        top->activateWindow();
        if (!QTest::qWaitForWindowActive(top)) qFatal("the table window never came to the front");
        return *static_cast<QMainWindow*>(top);
      }
    }
    qFatal("no table window %s", qPrintable(name));
  }
  static QTableView& Grid(QWidget& table) { return *Control<QTableView>(table, "TableGRD"); }
  static torvale::ui::TableModel& Model(QWidget& table) {
    auto* rows = static_cast<QSortFilterProxyModel*>(Grid(table).model());
    return *static_cast<torvale::ui::TableModel*>(rows->sourceModel());
  }
  static QModelIndex Cell(QWidget& table, int row, int column) {
    return Grid(table).model()->index(row, column);
  }
  // Types into the cell as a user does: selects it, types, and presses Enter.
  static void TypeInto(QWidget& table, int row, int column, const QString& text) {
    QTableView& grid = Grid(table);
    grid.setFocus();
    grid.setCurrentIndex(Cell(table, row, column));
    QTest::keyClick(&grid, Qt::Key_F2);
    auto* box = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    QVERIFY(box != nullptr);
    box->selectAll();
    TypeText(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid takes the box's text once Enter is handled
  }
  // Picks an entry of the cell's drop-down list as a user does.
  static void PickIn(QWidget& table, int row, int column, int entry) {
    QTableView& grid = Grid(table);
    grid.setCurrentIndex(Cell(table, row, column));
    QTest::keyClick(&grid, Qt::Key_F2);
    auto* list = qobject_cast<QComboBox*>(grid.indexWidget(grid.currentIndex()));
    QVERIFY(list != nullptr);
    list->setCurrentIndex(entry);
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  QString Status(QMainWindow& table) { return table.statusBar()->currentMessage(); }
  void ExpectFile(const Bytes& expected) {
    QCOMPARE(DescribeDifferences(expected, fixture->ReadRom()), "");
  }

 private slots:
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  void everyTableOpensFromTheMenuAsAGridOfWhatTheFileHolds_data() {
    QTest::addColumn<QString>("name");
    for (const torvale::Table* table : torvale::AllTables()) {
      if (torvale::ui::EditorOfTable(*table) != nullptr)
        QTest::newRow(table->name.data())
            << QString::fromLatin1(table->name.data(), table->name.size());
    }
  }
  void everyTableOpensFromTheMenuAsAGridOfWhatTheFileHolds() {
    QFETCH(QString, name);
    const torvale::Table* table = nullptr;
    for (const torvale::Table* t : torvale::AllTables()) {
      if (QLatin1String(t->name.data(), t->name.size()) == name) table = t;
    }
    std::mt19937 random(static_cast<unsigned>(qHash(name)));
    Bytes image = Sample();
    const std::vector<GridField> layout = GridLayoutOf(*table);
    QVERIFY(!layout.empty());
    std::vector<std::pair<int, int>> planted;  // record and value of each field
    for (const auto& [field, picker, column] : layout) {
      const int record =
          std::uniform_int_distribution(picker.first, picker.first + picker.count - 1)(random);
      const int value = std::uniform_int_distribution(field->min, field->max)(random);
      Plant(*field, image, record, value);
      planted.emplace_back(record, value);
    }
    Load(image);
    QMainWindow& grid = OpenTable(name);
    QCOMPARE(&OpenTable(name), &grid);  // opened again, the same window comes to the front
    auto& model = Model(grid);
    QAbstractItemModelTester sourceTester(&model);
    QAbstractItemModelTester rowsTester(Grid(grid).model());
    QCOMPARE(model.rowCount(), table->count);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), "#");
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), "Entry");
    QCOMPARE(Status(grid), QStringLiteral("%1 of %1 rows shown").arg(table->count));
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const FieldModel& field = *layout[i].field;
      const auto [record, value] = planted[i];
      int column = 0;
      while (model.FieldAt(column) == nullptr || model.FieldAt(column)->name != layout[i].column)
        ++column;
      const QModelIndex cell = model.index(record, column);
      const QString where = QStringLiteral("%1 of record %2: ").arg(field.control).arg(record);
      if (field.kind == FieldKind::kName) {
        QCOMPARE(
            where + cell.data().toString(),
            where + QString::fromStdString(NameFor(value, field.max)).leftJustified(field.max));
        continue;
      }
      const int expected = ValueOf(field, image, record);
      const QVariant shown =
          field.kind == FieldKind::kCheck
              ? QVariant(cell.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked)
          : model.FieldAt(column)->list != torvale::ListId::kNone
              ? cell.data(torvale::ui::TableModel::kValueRole)
              : cell.data();
      QCOMPARE(where + QString::number(shown.toInt()), where + QString::number(expected));
      // Written fields are edited in place; shown-only ones are not.
      QCOMPARE(bool(model.flags(cell) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)),
               field.written);
    }
    ExpectFile(image);
  }

  // Typed into the grid with the form's rules, a cell is marked until
  // applied; Apply writes every changed record as one step that Undo takes
  // back; the grid shows the file again.
  void editedCellsAreMarkedAndAppliedAsOneStep() {
    Load();
    QMainWindow& items = OpenTable("Items");
    const auto& model = Model(items);
    const int price = model.ColumnOf(torvale::FieldIndex(model.Fields(), "PriceTXT"));
    const int attack = model.ColumnOf(torvale::FieldIndex(model.Fields(), "AtkDefTXT"));
    TypeInto(items, 3, price, "5x00");  // the letter is refused as it is typed
    TypeInto(items, 4, attack, "999");  // corrected to the field's highest
    QCOMPARE(Cell(items, 3, price).data().toString(), "500");
    QCOMPARE(Cell(items, 4, attack).data().toString(), "255");
    QVERIFY(Cell(items, 3, price).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!Cell(items, 3, attack).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(Status(items), "256 of 256 rows shown; 2 changed, not applied");
    ExpectFile(Sample());  // nothing written before Apply
    Drive(items, "ApplyCMD");
    Bytes expected = Patched(Patched(Sample(), kPrices + 3, {50}), kItemRecords + 8 * 4 + 1, {255});
    ExpectFile(expected);
    QCOMPARE(Status(items), "256 of 256 rows shown");
    QCOMPARE(Control<QAction>(*window, "mnuUndo")->text(), "&Undo Items table: 2 records");
    Drive(*window, "mnuUndo");
    ExpectFile(Sample());
    QCOMPARE(
        Cell(items, 3, price).data().toString(),
        QString::number(ValueOf(FieldNamed(EditorModelNamed("item"), "PriceTXT"), Sample(), 3)));
    QVERIFY(fixture->platform.messages.isEmpty());
  }

  // A changed cell whose bytes another window wrote since it was read refuses
  // the Apply, naming its row; rows nobody changed in the grid follow the file.
  void applyIsRefusedWhenTheFileChangedUnderAChangedCell() {
    Load();
    QMainWindow& shops = OpenTable("Shops");
    PickIn(shops, 2, 2, 7);
    fixture->platform.whileModal = [](QDialog& editor) {
      QVERIFY(torvale::tools::ShowUntilFilled(editor));
      Drive(editor, "ShopLST=2 Slot1CBO=9 ApplyCMD ShopLST=5 Slot1CBO=11 ApplyCMD");
    };
    torvale::tools::ClickNode(*Control<QTreeWidget>(*window, "Tree"), "Shops");
    const Bytes edited = Patched(Patched(Sample(), kShops + 8 * 2, {9}), kShops + 8 * 5, {11});
    ExpectFile(edited);
    QCOMPARE(Cell(shops, 5, 2).data(torvale::ui::TableModel::kValueRole).toInt(), 11);
    Drive(shops, "ApplyCMD");
    ExpectMessage(fixture->platform, MessageIcon::kExclamation,
                  "The ROM changed under the changes of rows 2 since they were read", false);
    ExpectFile(edited);
  }

  // Copied cells are tab-separated rows; pasted text goes in from the current
  // cell, or one value into every selected cell, each checked as typing is,
  // and a paste with a refused value takes nothing.
  void copyAndPasteAsSpreadsheetsDo() {
    Load();
    QMainWindow& items = OpenTable("Items");
    auto& model = Model(items);
    QTableView& grid = Grid(items);
    const int attack = model.ColumnOf(torvale::FieldIndex(model.Fields(), "AtkDefTXT"));
    grid.setFocus();
    grid.selectionModel()->select(
        QItemSelection(Cell(items, 1, attack), Cell(items, 2, attack + 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    const auto value = [&](int row, int column) {
      return Cell(items, row, column).data().toString();
    };
    QCOMPARE(QApplication::clipboard()->text(), value(1, attack) + '\t' + value(1, attack + 1) +
                                                    '\n' + value(2, attack) + '\t' +
                                                    value(2, attack + 1) + '\n');
    const auto paste = [&](const QString& text) {
      QApplication::clipboard()->setText(text);
      QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    };
    grid.setCurrentIndex(Cell(items, 10, attack));
    paste("11\t12\r\n13\t14\r\n");
    QCOMPARE(QStringList({value(10, attack), value(10, attack + 1), value(11, attack),
                          value(11, attack + 1)}),
             QStringList({"11", "12", "13", "14"}));
    grid.selectionModel()->select(QItemSelection(Cell(items, 20, attack), Cell(items, 22, attack)),
                                  QItemSelectionModel::ClearAndSelect);
    paste("99");
    QCOMPARE(QStringList({value(20, attack), value(21, attack), value(22, attack)}),
             QStringList({"99", "99", "99"}));
    QCOMPARE(model.StagedRecordCount(), 5);
    grid.setCurrentIndex(Cell(items, 30, attack));
    paste("1\n2x\n300");
    ExpectMessage(fixture->platform, MessageIcon::kExclamation,
                  "Nothing was pasted: row 31, column \"Attack/Defense\": \"2x\" is not a number.");
    QCOMPARE(model.StagedRecordCount(), 5);
  }

  // A click on a column's title sorts by it, numbers as numbers, a second
  // click the other way; the filter keeps matching rows; the columns' widths
  // and order are kept for the next window of the table.
  void columnsSortTheFilterKeepsRowsAndTheLayoutIsKept() {
    Load();
    QMainWindow* items = &OpenTable("Items");
    const int price =
        Model(*items).ColumnOf(torvale::FieldIndex(Model(*items).Fields(), "PriceTXT"));
    QHeaderView& header = *Grid(*items).horizontalHeader();
    const auto sorted = [&](bool ascending) {
      std::vector<int> values;
      for (int row = 0; row < 256; ++row) values.push_back(Cell(*items, row, price).data().toInt());
      if (!ascending) std::reverse(values.begin(), values.end());
      return std::is_sorted(values.begin(), values.end()) && values.front() != values.back();
    };
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(price) + 4, 4));
    QVERIFY(sorted(true));
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(price) + 4, 4));
    QVERIFY(sorted(false));
    const QString name = Cell(*items, 0, 1).data().toString().trimmed().toLower();
    Drive(*items, "FilterTXT=" + name.left(4));
    const int shown = Grid(*items).model()->rowCount();
    QVERIFY(shown >= 1 && shown < 256);
    QCOMPARE(Status(*items), QStringLiteral("%1 of 256 rows shown").arg(shown));
    header.moveSection(price, 0);
    header.resizeSection(price, 123);
    items->close();
    items = &OpenTable("Items");
    QCOMPARE(Grid(*items).horizontalHeader()->visualIndex(price), 0);
    QCOMPARE(Grid(*items).horizontalHeader()->sectionSize(price), 123);
  }

  // Closing with changes not applied asks: Cancel keeps the window, Discard
  // drops them, Apply writes them; closing the ROM closes the window unasked.
  void closingWithChangesAsksAndTheRomTakesItsWindows() {
    Load();
    using torvale::ui::PendingChoice;
    fixture->platform.pendingAnswers = {PendingChoice::kCancel, PendingChoice::kDiscard,
                                        PendingChoice::kApply};
    Bytes expected = Sample();
    for (int answer = 0; answer < 3; ++answer) {
      QMainWindow& shops = OpenTable("Shops");
      Model(shops).setData(Model(shops).index(answer, 2), 3, torvale::ui::TableModel::kValueRole);
      shops.close();
      QCOMPARE(shops.isVisible(), answer == 0);
      if (answer == 0) Model(shops).Discard();
      if (answer == 0) shops.close();
    }
    expected[kShops + 8 * 2] = 3;
    ExpectFile(expected);
    QCOMPARE(fixture->platform.askedQuestions.size(), 3);
    QMainWindow& shops = OpenTable("Shops");
    Model(shops).setData(Model(shops).index(9, 2), 3, torvale::ui::TableModel::kValueRole);
    Drive(*window, "mnuClose");
    QVERIFY(!shops.isVisible());
    QVERIFY(!Control<QMenu>(*window, "mnuTables")->menuAction()->isEnabled());
    QCOMPARE(fixture->platform.askedQuestions.size(), 3);
    ExpectFile(expected);
  }

  // Exported, the table is CSV; a file edited in a spreadsheet comes back as
  // changed cells, and one with a refused cell comes back not at all.
  void csvGoesOutAndComesBack() {
    Load();
    QMainWindow& items = OpenTable("Items");
    const QString csv = QString::fromStdString(fixture->folder.File("items.csv").string());
    fixture->platform.fileAnswers << csv;
    Drive(items, "ExportCMD");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QVERIFY(lines[0].startsWith("#,Entry,Icon,Icon #,Price,"));
    QCOMPARE(lines.size(), 258);  // the header, 256 records, and the last line's end
    QList<QByteArray> row = lines[5].split(',');
    row[4] = "3000";
    lines[5] = row.join(',');
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lines.join('\n')) > 0);
    file.close();
    fixture->platform.fileAnswers << csv;
    Drive(items, "ImportCMD");
    const int price = Model(items).ColumnOf(torvale::FieldIndex(Model(items).Fields(), "PriceTXT"));
    QCOMPARE(Cell(items, 4, price).data().toString(), "3000");
    QCOMPARE(Model(items).StagedRecordCount(), 1);
    Model(items).Discard();
    lines[7] = lines[7].replace(",", ",x");
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lines.join('\n')) > 0);
    file.close();
    fixture->platform.fileAnswers << csv;
    Drive(items, "ImportCMD");
    QVERIFY(fixture->platform.messages.value(0).text.contains("was not taken"));
    QCOMPARE(Model(items).StagedRecordCount(), 0);
    ExpectFile(Sample());
  }

  // Where Used lists every field that names an item; Find every name that
  // holds a text; a double-click on a place opens its table there.
  void whereUsedAndFindLeadToTheRecords() {
    Bytes image = Patched(Sample(), kShops + 8 * 3 + 1, {7});
    image = Patched(image, 0x78201 + 9 * 12, torvale::romgen::EncodeGameText("Zqxbow", 6));
    image = Patched(image, 0x71A00 + 8 * 40, torvale::romgen::EncodeGameText("Zqxling", 7));
    Load(image);
    QMainWindow& items = OpenTable("Items");
    Grid(items).setFocus();
    Grid(items).setCurrentIndex(Cell(items, 7, 0));
    QTest::keyClick(&Grid(items), Qt::Key_U, Qt::ControlModifier);
    auto* uses = items.findChild<QDialog*>("WhereUsedWindow");
    QVERIFY(uses != nullptr);
    auto& places = *Control<QTreeWidget>(*uses, "PlacesTRE");
    QStringList found;
    for (int i = 0; i < places.topLevelItemCount(); ++i) {
      found << places.topLevelItem(i)->text(0) + ": " + places.topLevelItem(i)->text(1) + " " +
                   places.topLevelItem(i)->text(2);
    }
    QVERIFY2(found.contains("Shops: Shop #4 Slot 2"), qPrintable(found.join(", ")));
    for (int i = 0; i < places.topLevelItemCount(); ++i) {
      if (places.topLevelItem(i)->text(1) == "Shop #4")
        emit places.itemActivated(places.topLevelItem(i), 0);
    }
    QMainWindow& shops = OpenTable("Shops");
    QCOMPARE(Grid(shops).currentIndex().row(), 3);

    Drive(*window, "mnuFind");
    QDialog* find = window->findChild<QDialog*>("FindWindow");
    QVERIFY(find != nullptr);
    Drive(*find, "FindTXT=zqx FindCMD");
    auto& hits = *Control<QTreeWidget>(*find, "PlacesTRE");
    QCOMPARE(hits.topLevelItemCount(), 2);
    hits.sortItems(0, Qt::AscendingOrder);
    QCOMPARE(QStringList({hits.topLevelItem(0)->text(0), hits.topLevelItem(0)->text(2),
                          hits.topLevelItem(0)->text(3)}),
             QStringList({"Items", "Name", "Zqxbow  "}));
    emit hits.itemActivated(hits.topLevelItem(1), 0);
    QMainWindow& monsters = OpenTable("Monsters");
    QCOMPARE(Grid(monsters).currentIndex().row(), 40);
  }
};

QTEST_MAIN(TableWindowTest)
#include "TableWindowTest.moc"
