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

#include "EditorDriver.h"
#include "WindowFixture.h"
#include "ui/AboutWindow.h"
#include "ui/DeferredFill.h"
#include "ui/EditorRegistry.h"
#include "ui/MainWindow.h"
#include "ui/PictureWindow.h"
#include "ui/SpecialThanksWindow.h"
#include "ui/Splash.h"

using namespace torvale::testing;
namespace ui = torvale::ui;

namespace {

struct WindowCase {
  QString name;
  std::function<std::unique_ptr<QWidget>(EditorFixture&)> open;
  QString firstControl;  // where the keyboard starts once the window is ready
};

// The windows that are no editors, then every editor of the registry.
std::vector<WindowCase> Windows() {
  std::vector<WindowCase> windows = {
      {"MainWindow",
       [](EditorFixture& fixture) {
         fixture.platform.fileAnswers << fixture.WriteRom(fixture.original, "main.smc");
         auto window = std::make_unique<ui::MainWindow>(fixture.platform);
         window->LoadROM();
         return std::unique_ptr<QWidget>(std::move(window));
       },
       "iROMName"},
      {"Splash",
       [](EditorFixture& fixture) {
         return std::make_unique<ui::Splash>(fixture.platform,
                                             ui::SplashTiming{std::chrono::hours(1)});
       },
       {}},
      {"AboutWindow",
       [](EditorFixture& fixture) { return std::make_unique<ui::AboutWindow>(fixture.platform); },
       {}},
      {"SpecialThanksWindow",
       [](EditorFixture&) { return std::make_unique<ui::SpecialThanksWindow>(); },
       {}},
      {"PictureWindow", [](EditorFixture&) { return std::make_unique<ui::PictureWindow>(); }, {}},
  };
  for (const ui::EditorEntry& editor : ui::Editors()) {
    const QString name = QString::fromLatin1(editor.window);
    if (editor.create == nullptr || std::any_of(windows.begin(), windows.end(),
                                                [&](const auto& w) { return w.name == name; })) {
      continue;
    }
    windows.push_back({name,
                       [&editor](EditorFixture& fixture) -> std::unique_ptr<QWidget> {
                         return editor.create(fixture.context, nullptr);
                       },
                       QString::fromLatin1(editor.firstControl)});
  }
  return windows;
}

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
    window = Windows()[static_cast<std::size_t>(row)].open(*fixture);
    auto* fill = window->findChild<ui::DeferredFill*>();
    std::unique_ptr<QSignalSpy> filled;
    if (fill != nullptr) filled = std::make_unique<QSignalSpy>(fill, &ui::DeferredFill::Filled);
    window->show();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("window %d never became active", row);
    if (filled && filled->isEmpty() && !filled->wait()) qFatal("window %d was never filled", row);
    QTest::qWait(1);
    return *window;
  }

  static void AddRows() {
    QTest::addColumn<int>("row");
    const std::vector<WindowCase> windows = Windows();
    for (std::size_t row = 0; row < windows.size(); ++row) {
      QTest::newRow(qPrintable(windows[row].name)) << static_cast<int>(row);
    }
  }

 private slots:
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  void noTextIsClipped_data() { AddRows(); }
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

  void tabReachesEveryControl_data() { AddRows(); }
  void tabReachesEveryControl() {
    QFETCH(int, row);
    QWidget& shown = Open(row);
    QWidget* start = QApplication::focusWidget();
    const QString first = Windows()[static_cast<std::size_t>(row)].firstControl;
    if (!first.isEmpty()) {
      QVERIFY(start != nullptr);
      QCOMPARE(start->objectName(), first);
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
  void mnemonicsAreUniqueAndReachTheirFields_data() { AddRows(); }
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

  // Enter in a box applies as Apply does; in a list it picks (EditorContractTest).
  void enterInABoxAppliesAsApplyDoes_data() { AddEditorRows(); }
  void enterInABoxAppliesAsApplyDoes() {
    QFETCH(QString, name);
    const EditorModel& model = EditorModelNamed(name.toStdString());
    Bytes written[2];
    for (const bool enter : {false, true}) {
      fixture = std::make_unique<EditorFixture>();
      auto editor = OpenEditor(model, fixture->context);
      QVERIFY(WaitUntilReady(*editor, model));
      PickFirstRecords(*editor, model);
      const auto box = std::find_if(model.fields.begin(), model.fields.end(), [&](const auto& f) {
        return CanEdit(*editor, f) && (f.kind == FieldKind::kNumber || f.kind == FieldKind::kName);
      });
      if (box == model.fields.end()) QSKIP("no box to type in");
      SetField(*editor, *box, box->max);
      if (enter) {
        auto* typedIn = Control<QWidget>(*editor, box->control);
        typedIn->setFocus();
        QTest::keyClick(typedIn, Qt::Key_Return);
      } else {
        ClickApply(*editor);
      }
      written[enter] = fixture->ReadRom();
    }
    QVERIFY(DescribeDifferences(fixture->original, written[1]) != "");
    QCOMPARE(DescribeDifferences(written[0], written[1]), "");
  }
};

QTEST_MAIN(WindowAccessTest)
#include "WindowAccessTest.moc"
