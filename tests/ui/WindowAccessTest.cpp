// Every window, driven from the keyboard and laid out at the scale the test
// runs at (CTest runs it at 100% and at 200%).

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <functional>

#include "WindowFixture.h"
#include "ui/AboutWindow.h"
#include "ui/BattleTablesEditor.h"
#include "ui/CharacterEquipmentEditor.h"
#include "ui/CharacterStatsEditor.h"
#include "ui/DeferredFill.h"
#include "ui/ItemEditor.h"
#include "ui/MagicSpellEditor.h"
#include "ui/MainWindow.h"
#include "ui/MapPropertiesEditor.h"
#include "ui/MonsterEditor.h"
#include "ui/MusicEditor.h"
#include "ui/PictureWindow.h"
#include "ui/ShopEditor.h"
#include "ui/SpecialThanksWindow.h"
#include "ui/Splash.h"
#include "ui/TextListEditor.h"
#include "ui/TreasureEditor.h"

using namespace torvale::testing;
namespace ui = torvale::ui;

namespace {

using Opener = std::function<std::unique_ptr<QWidget>(EditorFixture&)>;

template <typename Editor>
std::unique_ptr<QWidget> OpenEditor(EditorFixture& fixture) {
  return std::make_unique<Editor>(fixture.context);
}

struct WindowCase {
  const char* name;
  Opener open;
  const char* firstControl;  // where the keyboard starts once the window is ready
  bool editor;
  // An editor's field changed from the keyboard before Enter or Escape, and
  // what is typed into it; a drop-down list gets the Down key instead.
  const char* field = nullptr;
  const char* typed = nullptr;
};

const WindowCase kWindows[] = {
    {"MainWindow",
     [](EditorFixture& fixture) {
       fixture.platform.fileAnswers << fixture.WriteRom(fixture.original, "main.smc");
       auto window = std::make_unique<ui::MainWindow>(fixture.platform);
       window->LoadROM();
       return std::unique_ptr<QWidget>(std::move(window));
     },
     "iROMName", false},
    {"Splash",
     [](EditorFixture& fixture) {
       return std::make_unique<ui::Splash>(fixture.platform,
                                           ui::SplashTiming{std::chrono::hours(1)});
     },
     nullptr, false},
    {"AboutWindow",
     [](EditorFixture& fixture) { return std::make_unique<ui::AboutWindow>(fixture.platform); },
     nullptr, false},
    {"SpecialThanksWindow",
     [](EditorFixture&) { return std::make_unique<ui::SpecialThanksWindow>(); }, nullptr, false},
    {"PictureWindow", [](EditorFixture&) { return std::make_unique<ui::PictureWindow>(); }, nullptr,
     false},
    {"TextListEditor", &OpenEditor<ui::TextListEditor>, "TextLST", true, "NameTXT", "Run"},
    {"ItemEditor", &OpenEditor<ui::ItemEditor>, "ItemLST", true, "Byte00TXT", "77"},
    {"MagicSpellEditor", &OpenEditor<ui::MagicSpellEditor>, "MagicLST", true, "PowerTXT", "77"},
    {"CharacterStatsEditor", &OpenEditor<ui::CharacterStatsEditor>, "CharLST", true, "LevelTXT",
     "77"},
    {"CharacterEquipmentEditor", &OpenEditor<ui::CharacterEquipmentEditor>, "CharLST", true,
     "RHAMTTXT", "77"},
    {"ShopEditor", &OpenEditor<ui::ShopEditor>, "ShopLST", true, "Slot1CBO"},
    {"MapPropertiesEditor", &OpenEditor<ui::MapPropertiesEditor>, "MapLST", true, "TreasureCBO"},
    {"MusicEditor", &OpenEditor<ui::MusicEditor>, "AreaLST", true},
    {"TreasureEditor", &OpenEditor<ui::TreasureEditor>, "OffsetLST", true, "ItemLST"},
    {"MonsterEditor", &OpenEditor<ui::MonsterEditor>, "MonsterLST", true, "EXPTXT", "77"},
    {"BattleTablesEditor", &OpenEditor<ui::BattleTablesEditor>, "tabs", true, "Slot1CBO"},
};

// What a Tab key press can land on.
bool TakesTabFocus(const QWidget& control, const QWidget& window) {
  return control.window() == &window && control.isVisible() && control.isEnabled() &&
         (control.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// A button needs a letter of its own, unless its caption has none (">") or,
// like Qt's own buttons, it is OK, Cancel or Close, which Enter and Escape press.
bool NeedsMnemonic(const QAbstractButton& button) {
  const QString text = button.text();
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }) &&
         !QStringList{"OK", "Cancel", "Close"}.contains(text);
}

QString Name(const QWidget& control) {
  return control.objectName().isEmpty() ? QString::fromLatin1(control.metaObject()->className())
                                        : control.objectName();
}

QString Describe(const QWidget& control) {
  return QStringLiteral("%1 %2x%3").arg(Name(control)).arg(control.width()).arg(control.height());
}

}  // namespace

class WindowAccessTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<QWidget> window;

  // Opens the window as its user sees it: shown, active, lists filled and
  // the first record on show.
  QWidget& Open(int row) {
    fixture = std::make_unique<EditorFixture>();
    window = kWindows[row].open(*fixture);
    auto* fill = window->findChild<ui::DeferredFill*>();
    std::unique_ptr<QSignalSpy> filled;
    if (fill != nullptr) filled = std::make_unique<QSignalSpy>(fill, &ui::DeferredFill::Filled);
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
      qFatal("%s never became active", kWindows[row].name);
    if (filled && filled->isEmpty() && !filled->wait())
      qFatal("%s was never filled", kWindows[row].name);
    QTest::qWait(1);
    return *window;
  }

  // Opens editor `row`, changes its field from the keyboard, ends with
  // `finish` and returns the file as it is then.
  Bytes EditThen(int row, const std::function<void(QWidget&)>& finish) {
    QWidget& editor = Open(row);
    const WindowCase& window = kWindows[row];
    if (auto* list = qobject_cast<QListWidget*>(QApplication::focusWidget());
        list != nullptr && list->selectedItems().isEmpty()) {
      QTest::keyClick(list, Qt::Key_Down);  // the entry to edit
    }
    if (window.field != nullptr) {
      auto* field = Control<QWidget>(editor, window.field);
      field->setFocus();
      if (auto* box = qobject_cast<QLineEdit*>(field)) {
        ReplaceText(*box, QString::fromLatin1(window.typed));
      } else {
        QTest::keyClick(field, Qt::Key_Down);
      }
    }
    finish(editor);
    return fixture->ReadRom();
  }

  static void AddRows(bool editorsOnly, bool editedOnly = false) {
    QTest::addColumn<int>("row");
    for (int row = 0; row < static_cast<int>(std::size(kWindows)); ++row) {
      const WindowCase& window = kWindows[row];
      if ((editorsOnly && !window.editor) || (editedOnly && window.field == nullptr)) continue;
      QTest::newRow(window.name) << row;
    }
  }

 private slots:
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  void noTextIsClipped_data() { AddRows(false); }
  void noTextIsClipped() {
    QFETCH(int, row);
    QWidget& shown = Open(row);
    QStringList clipped;
    for (QWidget* control : shown.findChildren<QWidget*>()) {
      if (!control->isVisible() || control->window() != &shown) continue;
      QSize needed;
      if (auto* label = qobject_cast<QLabel*>(control)) {
        needed = label->minimumSizeHint();
        if (label->wordWrap()) needed.setHeight(label->heightForWidth(label->width()));
      } else if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QGroupBox*>(control)) {
        needed = control->minimumSizeHint();
      } else if (qobject_cast<QTabBar*>(control)) {
        needed = control->sizeHint();  // a narrower tab bar elides its captions
      } else {
        continue;
      }
      if (control->width() < needed.width() || control->height() < needed.height()) {
        clipped << QStringLiteral("%1 < %2x%3")
                       .arg(Describe(*control))
                       .arg(needed.width())
                       .arg(needed.height());
      }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
  }

  void tabReachesEveryControl_data() { AddRows(false); }
  void tabReachesEveryControl() {
    QFETCH(int, row);
    QWidget& shown = Open(row);
    QWidget* start = QApplication::focusWidget();
    if (kWindows[row].firstControl != nullptr) {
      QVERIFY(start != nullptr);
      QCOMPARE(start->objectName(), QString::fromLatin1(kWindows[row].firstControl));
    }
    QList<QWidget*> controls;
    for (QWidget* control : shown.findChildren<QWidget*>()) {
      if (TakesTabFocus(*control, shown)) controls << control;
    }
    // Twice round, as a label's link is a stop of its own.
    QSet<QWidget*> reached;
    for (qsizetype step = 0; step < 2 * controls.size() + 2 && QApplication::focusWidget();
         ++step) {
      reached << QApplication::focusWidget();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList missed;
    for (QWidget* control : controls) {
      if (!reached.contains(control)) missed << Name(*control);
    }
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral(", "))));
  }

  // Every button and every label of a field carries its own Alt+letter, and
  // a label's letter puts the keyboard in its field.
  void mnemonicsAreUniqueAndReachTheirFields_data() { AddRows(false); }
  void mnemonicsAreUniqueAndReachTheirFields() {
    QFETCH(int, row);
    QWidget& shown = Open(row);
    QMap<QKeySequence, QString> owners;
    QStringList faults;
    const auto claim = [&](const QString& text, const QString& owner, bool required) {
      const QKeySequence key = QKeySequence::mnemonic(text);
      if (key.isEmpty()) {
        if (required) faults << owner + QStringLiteral(" has no mnemonic");
        return;
      }
      if (owners.contains(key)) faults << owner + QStringLiteral(" repeats ") + owners[key];
      owners.insert(key, owner);
    };
    const auto canAct = [](const QWidget& control) {
      return control.isEnabled() && (control.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
    };
    for (QAbstractButton* button : shown.findChildren<QAbstractButton*>()) {
      if (button->text().isEmpty()) continue;
      claim(button->text(), Name(*button), canAct(*button) && NeedsMnemonic(*button));
    }
    QList<QLabel*> labels;
    for (QLabel* label : shown.findChildren<QLabel*>()) {
      if (label->buddy() == nullptr) continue;
      claim(label->text(), label->objectName(), canAct(*label->buddy()));
      if (TakesTabFocus(*label->buddy(), shown)) labels << label;
    }
    for (QMenuBar* bar : shown.findChildren<QMenuBar*>()) {
      for (QAction* menu : bar->actions())
        claim(menu->text(), menu->objectName(), menu->isVisible());
    }
    for (QTabBar* tabs : shown.findChildren<QTabBar*>()) {
      for (int tab = 0; tab < tabs->count(); ++tab)
        claim(tabs->tabText(tab), tabs->tabText(tab), false);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    for (QLabel* label : labels) {
      const QKeyCombination key = QKeySequence::mnemonic(label->text())[0];
      QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
      QVERIFY2(QApplication::focusWidget() == label->buddy(), qPrintable(label->objectName()));
    }
  }

  void escapeClosesWithoutWriting_data() { AddRows(true); }
  void escapeClosesWithoutWriting() {
    QFETCH(int, row);
    const Bytes after = EditThen(row, [](QWidget& editor) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      QVERIFY(!editor.isVisible());
    });
    QCOMPARE(DescribeDifferences(fixture->original, after), "");
  }

  void enterAppliesAsApplyDoes_data() { AddRows(true, true); }
  void enterAppliesAsApplyDoes() {
    QFETCH(int, row);
    const Bytes applied = EditThen(row, [](QWidget& editor) {
      QTest::mouseClick(Control<QPushButton>(editor, "ApplyCMD"), Qt::LeftButton);
    });
    const Bytes entered = EditThen(
        row, [](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
    QVERIFY(DescribeDifferences(fixture->original, entered) != "");
    QCOMPARE(DescribeDifferences(applied, entered), "");
  }
};

QTEST_MAIN(WindowAccessTest)
#include "WindowAccessTest.moc"
