#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include "ui/DeferredFill.h"

using torvale::ui::DeferredFill;

namespace {

// A window with one list, eight drop-down lists and a field, like the editors'.
// A slow fill (`pieces` > 1) appends its entries in pieces, 1 ms apart, so
// that it spans many frames.
struct FillWindow {
  explicit FillWindow(int entryCount, int pieces = 1) {
    for (int i = 0; i < entryCount; ++i) entries.push_back("Name " + std::to_string(i));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(&list);
    for (QComboBox& combo : combos) {
      layout->addWidget(&combo);
      lists << &combo;
    }
    lists.prepend(&list);
    layout->addWidget(&field);
    layout->addWidget(&bar);
    fill = new DeferredFill(window, bar, lists, {&list, &field}, [this, pieces] {
      const auto pieceLength = static_cast<std::ptrdiff_t>(entries.size()) / pieces;
      for (int piece = 0; piece < pieces; ++piece) {
        if (pieces > 1) QThread::msleep(1);
        const auto start = entries.begin() + piece * pieceLength;
        if (!fill->AppendToLists({start, start + pieceLength}, lists)) return;
      }
    });
    QObject::connect(fill, &DeferredFill::Filled, [this] { ++filled; });
  }

  bool Locked() const { return !list.isEnabled() && !field.isEnabled(); }

  QDialog window;
  QListWidget list;
  QComboBox combos[8];
  QLineEdit field;
  QProgressBar bar;
  QList<QWidget*> lists;
  std::vector<std::string> entries;
  DeferredFill* fill = nullptr;
  int filled = 0;
};

}  // namespace

class DeferredFillTest : public QObject {
  Q_OBJECT

 private slots:
  void fillsEveryListOnceTheWindowIsShownThenUnlocks() {
    FillWindow w(256);
    QVERIFY(w.Locked());
    QTest::qWait(20);
    QCOMPARE(w.list.count(), 0);  // nothing happens before the window shows
    w.window.show();
    QTRY_COMPARE(w.filled, 1);
    QVERIFY(!w.Locked());
    QVERIFY(!w.bar.isVisible());
    QCOMPARE(w.list.count(), 256);
    for (const QComboBox& combo : w.combos) {
      QCOMPARE(combo.count(), 256);
      QCOMPARE(combo.itemText(255), QStringLiteral("Name 255"));
    }
    QCOMPARE(w.list.item(0)->text(), QStringLiteral("Name 0"));
    w.fill->Restart();  // Refresh fills the lists anew, not on top
    QCOMPARE(w.filled, 2);
    QCOMPARE(w.list.count(), 256);
    QCOMPARE(w.combos[7].count(), 256);
  }

  void windowStaysResponsiveButHandlesEventsAtMostOncePerFrame() {
    FillWindow w(2000, 200);
    int seenEntries = -1;
    bool lockedDuringFill = false;
    bool barShown = false;
    QTimer::singleShot(5, [&] {
      seenEntries = w.list.count();
      lockedDuringFill = w.Locked();
      barShown = w.bar.isVisible();
    });
    // A zero-interval timer fires once each time pending events are handled.
    int passes = 0;
    QElapsedTimer clock;
    qint64 elapsed = 0;
    QTimer everyPass;
    QObject::connect(&everyPass, &QTimer::timeout, [&] {
      if (!w.fill->IsFilling()) return;
      if (passes++ == 0) clock.start();
    });
    QObject::connect(w.fill, &DeferredFill::Filled, [&] { elapsed = clock.elapsed(); });
    everyPass.start(0);
    w.window.show();
    QTRY_VERIFY_WITH_TIMEOUT(w.filled == 1, 20000);
    QVERIFY2(seenEntries > 0 && seenEntries < 2000, qPrintable(QString::number(seenEntries)));
    QVERIFY(lockedDuringFill);
    QVERIFY(barShown);
    QVERIFY2(passes <= elapsed / 16 + 2,
             qPrintable(QStringLiteral("%1 passes in %2 ms").arg(passes).arg(elapsed)));
    QVERIFY2(passes >= elapsed / 32, "the window must keep handling events during the fill");
  }

  void closingTheWindowEndsTheFillWithTheControlsLocked() {
    FillWindow w(2000, 200);
    QTimer::singleShot(5, &w.window, &QDialog::reject);
    w.window.show();
    QTRY_VERIFY(!w.window.isVisible());
    QTest::qWait(50);
    QCOMPARE(w.filled, 0);
    QVERIFY(w.Locked());
    QVERIFY(w.list.count() < 2000);
  }
};

QTEST_MAIN(DeferredFillTest)
#include "DeferredFillTest.moc"
