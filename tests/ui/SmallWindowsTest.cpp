#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/AboutWindow.h"
#include "ui/Pause.h"
#include "ui/PictureWindow.h"
#include "ui/QtPlatform.h"
#include "ui/SpecialThanksWindow.h"

using torvale::testing::Control;

class SmallWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void aboutShowsTheVersionAndOpensItsLinkThroughTheSystem() {
    torvale::testing::FakePlatform platform;
    torvale::ui::AboutWindow about(platform);
    about.show();
    QCOMPARE(Control<QLabel>(about, "ProgramLBL")->text(), QStringLiteral("Torvale"));
    QCOMPARE(Control<QLabel>(about, "VersionLBL")->text(), QStringLiteral("Version 1.2"));
    auto* link = Control<QLabel>(about, "WebLinkLBL");
    emit link->linkActivated(torvale::ui::kProgramWebAddress);
    QCOMPARE(platform.webAddresses, QStringList(torvale::ui::kProgramWebAddress));
    QTest::mouseClick(Control<QDialogButtonBox>(about, "OKCMD")->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    QVERIFY(!about.isVisible());
  }

  void specialThanksClosesOnItsButton() {
    torvale::ui::SpecialThanksWindow thanks;
    thanks.show();
    QVERIFY(!Control<QLabel>(thanks, "CreditsLBL")->text().isEmpty());
    QTest::mouseClick(
        Control<QDialogButtonBox>(thanks, "CloseCMD")->button(QDialogButtonBox::Close),
        Qt::LeftButton);
    QVERIFY(!thanks.isVisible());
  }

  void pictureWindowClosesOnAClick() {
    torvale::ui::PictureWindow picture;
    picture.show();
    QVERIFY(!Control<QLabel>(picture, "PictureIMG")->pixmap().isNull());
    QTest::mouseClick(Control<QLabel>(picture, "PictureIMG"), Qt::LeftButton);
    QVERIFY(!picture.isVisible());
  }

  void pauseWaitsWhileEventsRun() {
    bool handled = false;
    QTimer::singleShot(20, [&] { handled = true; });
    QElapsedTimer clock;
    clock.start();
    torvale::ui::Pause(0.2);
    const qint64 elapsed = clock.elapsed();
    QVERIFY(handled);
    QVERIFY2(elapsed >= 200 && elapsed < 400, qPrintable(QString::number(elapsed)));
  }

  void fileFiltersBecomeQtNameFilters() {
    QCOMPARE(torvale::ui::QtNameFilters(
                 "All Files (*.*)|*.*|All SNES ROM Files (*.swc, *.smc, *.fig)|*.smc;*.swc;*.fig|"
                 "Super MagiCom ROM File (*.smc)|*.smc"),
             QStringList({"All Files (*)", "All SNES ROM Files (*.smc *.swc *.fig)",
                          "Super MagiCom ROM File (*.smc)"}));
  }
};

QTEST_MAIN(SmallWindowsTest)
#include "SmallWindowsTest.moc"
