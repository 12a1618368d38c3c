// Every window, driven from the keyboard and laid out at the scale the test
// runs at (CTest runs it at 100% and at 200%).

#include <algorithm>
#include <chrono>

#include "WindowFixture.h"
#include "data/Items.h"
#include "data/Search.h"
#include "ui/AboutWindow.h"
#include "ui/ApplyPatchWindow.h"
#include "ui/EditorRegistry.h"
#include "ui/MainWindow.h"
#include "ui/PatchDetailsDialog.h"
#include "ui/PictureWindow.h"
#include "ui/PlacesWindow.h"
#include "ui/SpecialThanksWindow.h"
#include "ui/Splash.h"
#include "ui/TableWindow.h"

using namespace torvale::testing;
namespace ui = torvale::ui;

namespace {

// The windows that are no editors; then every editor of the registry.
const char* const kOtherWindows[] = {"MainWindow",          "Splash",        "AboutWindow",
                                     "SpecialThanksWindow", "PictureWindow", "TableWindow",
                                     "WhereUsedWindow",     "FindWindow",    "ApplyPatchWindow",
                                     "PatchDetailsDialog",  "ReleaseBlockWindow"};

std::unique_ptr<QWidget> Create(const QString& name, EditorFixture& fixture) {
  if (name == "Splash") {
    return std::make_unique<ui::Splash>(fixture.platform, ui::SplashTiming{std::chrono::hours(1)});
  }
  if (name == "AboutWindow") return std::make_unique<ui::AboutWindow>(fixture.platform);
  if (name == "SpecialThanksWindow") return std::make_unique<ui::SpecialThanksWindow>();
  if (name == "PictureWindow") return std::make_unique<ui::PictureWindow>();
  // The items' grid, which offers Where Used; the uses of item 1; Find.
  if (name == "TableWindow") {
    return std::make_unique<ui::TableWindow>(fixture.session, fixture.platform,
                                             torvale::ItemTable(), nullptr);
  }
  if (name == "WhereUsedWindow") {
    return std::unique_ptr<QWidget>(ui::PlacesWindow::ForUses(
        fixture.session, "Where Used",
        torvale::WhereUsed(torvale::ItemTable(), 1, fixture.text, fixture.rom), nullptr));
  }
  if (name == "FindWindow")
    return std::unique_ptr<QWidget>(ui::PlacesWindow::ForFind(fixture.session, nullptr));
  // A patch that changes an item's price, and one row of other bytes.
  if (name == "ApplyPatchWindow") {
    torvale::frontend::ChangeSource source;
    source.changes.fields.push_back({&torvale::ItemTable(), 1,
                                     torvale::FieldIndex(torvale::ItemTable(), "PriceTXT"),
                                     std::int64_t{500}});
    source.changes.runs.push_back({0x10, {1, 2, 3}});
    source.metadata = "<patch><title>Harder</title></patch>";
    return std::make_unique<ui::ApplyPatchWindow>(fixture.context, torvale::CleanRom{Sample(), true},
                                                  source, "hack.bps", nullptr);
  }
  if (name == "PatchDetailsDialog") return std::make_unique<ui::PatchDetailsDialog>(nullptr);
  if (name == "ReleaseBlockWindow") {
    return std::make_unique<ui::ReleaseBlockWindow>(
        "Clean image\n  Size: 1048576 bytes\n  CRC32: 0x65D0A825", nullptr);
  }
  if (name != "MainWindow")
    return ui::EditorNamed(name.toStdString()).create(fixture.context, nullptr);
  fixture.platform.fileAnswers << fixture.WriteRom(fixture.original, "main.smc");
  auto window = std::make_unique<ui::MainWindow>(fixture.platform);
  window->LoadROM();
  return window;
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

}  // namespace

class WindowAccessTest : public QObject {
  Q_OBJECT

  std::unique_ptr<EditorFixture> fixture;
  std::unique_ptr<QWidget> window;

  // Opens the window as its user sees it: shown, active, lists filled and
  // the first record on show.
  QWidget& Open(const QString& name) {
    fixture = std::make_unique<EditorFixture>();
    window = Create(name, *fixture);
    if (!torvale::tools::ShowUntilFilled(*window) || !QTest::qWaitForWindowActive(window.get())) {
      qFatal("%s never became ready", qPrintable(name));
    }
    QTest::qWait(1);
    return *window;
  }

  // No text is clipped.
  static QStringList Clipped(QWidget& shown) {
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
        QDebug(&clipped.emplaceBack()).nospace()
            << Name(*control) << ' ' << control->size() << " is clipped, needs " << needed;
      }
    }
    return clipped;
  }

  // Tab, from the window's first control, reaches every control.
  static QStringList Missed(QWidget& shown, const QString& first) {
    QWidget* start = QApplication::focusWidget();
    if (!first.isEmpty() && (start == nullptr || start->objectName() != first)) {
      return {QStringLiteral("the keyboard does not start in ") + first};
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
      if (!reached.contains(control))
        missed << Name(*control) + QStringLiteral(" is not reached by Tab");
    }
    return missed;
  }

 private slots:
  void cleanup() {
    window.reset();
    fixture.reset();
  }

  // No text clipped; Tab reaches every control; every button and every label
  // of a field carries its own Alt+letter, and a label's letter puts the
  // keyboard in its field.
  void everyWindowIsLaidOutAndWorksFromTheKeyboard_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("first");  // where the keyboard starts once the window is ready
    for (const char* name : kOtherWindows) {
      const QString first = name == QLatin1String("MainWindow")    ? "iROMName"
                            : name == QLatin1String("TableWindow") ? "FilterTXT"
                            : name == QLatin1String("FindWindow")  ? "FindTXT"
                            : name == QLatin1String("PatchDetailsDialog") ? "TitleTXT"
                                                                   : "";
      QTest::newRow(name) << name << first;
    }
    for (const ui::EditorEntry& editor : ui::Editors()) {
      if (editor.create) QTest::newRow(editor.window) << editor.window << editor.firstControl;
    }
  }
  void everyWindowIsLaidOutAndWorksFromTheKeyboard() {
    QFETCH(QString, name);
    QFETCH(QString, first);
    QWidget& shown = Open(name);
    QStringList faults = Clipped(shown);
    faults << Missed(shown, first);
    QMap<QKeySequence, QString> owners;
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
};

QTEST_MAIN(WindowAccessTest)
#include "WindowAccessTest.moc"
