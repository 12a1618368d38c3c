#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/FieldValidators.h"
#include "ui/ListControls.h"

using torvale::testing::TypeText;
using torvale::ui::NumberIn;

class FieldValidatorsTest : public QObject {
  Q_OBJECT

 private slots:
  void numberBoxCorrectsAndRefusesAsTheUserTypes_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");  // \b is Backspace, \v is Paste of the rest
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");  // -1000: no value
    QTest::newRow("plain") << 0 << 255 << ""
                           << "12"
                           << "12" << 12;
    QTest::newRow("above maximum") << 0 << 255 << ""
                                   << "300"
                                   << "255" << 255;
    QTest::newRow("letters refused") << 0 << 255 << "7"
                                     << "a1b"
                                     << "71" << 71;
    QTest::newRow("space refused") << 0 << 255 << "7"
                                   << " 2"
                                   << "72" << 72;
    QTest::newRow("emptied") << 0 << 255 << "42"
                             << "\b\b"
                             << "0" << 0;
    QTest::newRow("emptied then typed") << 0 << 255 << "4"
                                        << "\b5"
                                        << "5" << 5;
    QTest::newRow("minus refused") << 0 << 255 << ""
                                   << "-5"
                                   << "5" << 5;
    QTest::newRow("price maximum") << 0 << 127000 << ""
                                   << "999999"
                                   << "127000" << 127000;
    QTest::newRow("lone minus") << -64 << 255 << ""
                                << "-"
                                << "-" << -1000;
    QTest::newRow("negative") << -64 << 255 << ""
                              << "-12"
                              << "-12" << -12;
    QTest::newRow("below minimum") << -64 << 255 << ""
                                   << "-100"
                                   << "-64" << -64;
    QTest::newRow("paste refused") << 0 << 255 << "7"
                                   << "\v12a"
                                   << "7" << 7;
    QTest::newRow("paste clamped") << 0 << 255 << ""
                                   << "\v999"
                                   << "255" << 255;
  }
  void numberBoxCorrectsAndRefusesAsTheUserTypes() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);
    QLineEdit box;
    torvale::ui::MakeNumberBox(box, maximum, minimum);
    box.setText(start);
    box.show();
    box.end(false);
    for (qsizetype i = 0; i < typed.size(); ++i) {
      if (typed[i] == u'\b') {
        QTest::keyClick(&box, Qt::Key_Backspace);
      } else if (typed[i] == u'\v') {
        QApplication::clipboard()->setText(typed.mid(i + 1));
        box.paste();
        break;
      } else {
        TypeText(&box, QString(typed[i]));
      }
    }
    QCOMPARE(box.text(), shown);
    QCOMPARE(NumberIn(box), value == -1000 ? std::nullopt : std::optional<int>(value));
  }

  void nameBoxNeverEmptiesAndTakesTheFieldsLength() {
    QLineEdit box;
    torvale::ui::MakeNameBox(box, 8);
    box.setText(QStringLiteral("Potion  "));
    box.show();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), QStringLiteral(" "));
    TypeText(&box, QStringLiteral("Elixir"));
    QCOMPARE(box.text(), QStringLiteral("Elixir "));
    TypeText(&box, QStringLiteral("XYZ"));
    QCOMPARE(box.text(), QStringLiteral("ElixirX "));
  }

  void byteListsShowAndGiveTheByteOfTheirEntry() {
    QComboBox list;
    for (int i = 0; i < 256; ++i) list.addItem(QString::number(i));
    list.addItem(QStringLiteral("[-Nothing-]"));
    list.setCurrentIndex(-1);
    QCOMPARE(torvale::ui::SelectedByte(list), std::nullopt);
    QVERIFY(torvale::ui::ShowByte(list, 0xC4));
    QCOMPARE(list.currentText(), QStringLiteral("196"));
    QCOMPARE(torvale::ui::SelectedByte(list), std::optional<std::uint8_t>(0xC4));
    QVERIFY(torvale::ui::ShowByte(list, 256));
    QCOMPARE(torvale::ui::SelectedByte(list), std::nullopt);  // the sentinel stands for no byte
    QVERIFY(!torvale::ui::ShowByte(list, 257));
    QCOMPARE(list.currentIndex(), 256);
    QVERIFY(torvale::ui::ShowByte(list, 55));
    QCOMPARE(torvale::ui::SelectedByte(list, 55), std::nullopt);
  }

  void iconListHasAnEntryForEveryIconByte() {
    QComboBox icons;
    torvale::ui::AddIcons(icons);
    QCOMPARE(icons.count(), 256);
    QCOMPARE(icons.itemText(0x2D), QStringLiteral("Sword"));
    QCOMPARE(icons.itemText(0xFF), QStringLiteral("[Space]"));
  }
};

QTEST_MAIN(FieldValidatorsTest)
#include "FieldValidatorsTest.moc"
