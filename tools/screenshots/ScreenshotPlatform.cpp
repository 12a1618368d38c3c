#include "ScreenshotPlatform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>
#include <QtTest>
#include <cstdio>
#include <cstdlib>

#include "ui/DeferredFill.h"

namespace torvale::tools {
namespace {

constexpr int kReadyTimeoutMilliseconds = 20000;
constexpr int kSettleMilliseconds = 200;

void Click(QWidget& window, const char* control) {
  QTest::mouseClick(window.findChild<QWidget*>(QString::fromLatin1(control)), Qt::LeftButton);
}

void ClickRow(QWidget& window, const char* list, int row) {
  auto& entries = *window.findChild<QListWidget*>(QString::fromLatin1(list));
  entries.scrollToItem(entries.item(row));
  QTest::mouseClick(entries.viewport(), Qt::LeftButton, {},
                    entries.visualItemRect(entries.item(row)).center());
}

// What each window's picture shows, and where the user goes from it.
struct Picture {
  const char* window;  // the window's objectName
  const char* file;
  void (*before)(QWidget& window);
  void (*after)(QWidget& window);
};

const Picture kPictures[] = {
    {"ItemEditor", "item-editor", [](QWidget& window) { ClickRow(window, "ItemLST", 8); }, nullptr},
    {"MagicSpellEditor", "magic-spell-editor", nullptr, nullptr},
    {"CharacterStatsEditor", "character-stats-editor", nullptr, nullptr},
    {"CharacterEquipmentEditor", "character-equipment-editor", nullptr, nullptr},
    {"ShopEditor", "shop-editor", nullptr, nullptr},
    {"MapPropertiesEditor", "map-properties-editor", nullptr,
     [](QWidget& window) { Click(window, "MusicCMD"); }},
    {"MusicEditor", "music-editor",
     [](QWidget& window) {
       ClickRow(window, "AreaLST", 5);
       Click(window, "ShowHex");
       Click(window, "EjectCMD");  // answered with an SPC file
     },
     nullptr},
    {"TreasureEditor", "treasure-editor", nullptr, nullptr},
    {"MonsterEditor", "monster-editor", nullptr, nullptr},
    {"BattleTablesEditor", "miscellaneous-data-editor", nullptr, nullptr},
    {"TextListEditor", "text-list-editor", [](QWidget& window) { ClickRow(window, "TextLST", 0); },
     nullptr},
};

}  // namespace

ScreenshotPlatform::ScreenshotPlatform(const QDir& pictures, QStringList fileAnswers)
    : m_pictures(pictures), m_fileAnswers(std::move(fileAnswers)) {}

void ScreenshotPlatform::Photograph(QWidget& window, const QString& name) {
  if (!QTest::qWaitForWindowExposed(&window)) Fail(name + QStringLiteral(" never showed"));
  QTest::qWait(kSettleMilliseconds);  // laid out and painted
  const QString path = m_pictures.filePath(name + QStringLiteral(".png"));
  if (!window.grab().save(path)) Fail(QStringLiteral("cannot write ") + path);
  std::printf("%s\n", qPrintable(path));
}

QString ScreenshotPlatform::AskOpenFileName(QWidget*, const QString&, const QString&) {
  return m_fileAnswers.isEmpty() ? QString() : m_fileAnswers.takeFirst();
}

void ScreenshotPlatform::ShowMessage(QWidget*, ui::MessageIcon, const QString& title,
                                     const QString& text) {
  Fail(title + QStringLiteral(": ") + text);
}

// Shows the window as the program would, waits until its deferred fill has
// shown the first record, sets it up and photographs it.
void ScreenshotPlatform::ShowModal(QDialog& window) {
  const Picture* picture = nullptr;
  for (const Picture& candidate : kPictures) {
    if (window.objectName() == QLatin1String(candidate.window)) picture = &candidate;
  }
  if (picture == nullptr) {
    Fail(QStringLiteral("no picture for ") + window.objectName());
    return;
  }
  QEventLoop filled;
  if (auto* fill = window.findChild<ui::DeferredFill*>()) {
    QObject::connect(fill, &ui::DeferredFill::Filled, &filled, &QEventLoop::quit);
    QTimer::singleShot(kReadyTimeoutMilliseconds, &filled, [&] {
      Fail(window.objectName() + QStringLiteral(" was never filled"));
      filled.quit();
    });
  } else {
    QTimer::singleShot(0, &filled, &QEventLoop::quit);
  }
  window.show();
  filled.exec();
  if (picture->before != nullptr) picture->before(window);
  Photograph(window, QString::fromLatin1(picture->file));
  if (picture->after != nullptr) picture->after(window);
  window.reject();
}

void ScreenshotPlatform::OpenWebAddress(const QString&) {}

void ScreenshotPlatform::EndProgram() {
  Fail(QStringLiteral("the program ended"));
  std::exit(EXIT_FAILURE);
}

QString ScreenshotPlatform::ProgramFolder() const {
  return QCoreApplication::applicationDirPath();
}

void ScreenshotPlatform::Fail(const QString& why) {
  std::fprintf(stderr, "torvale_screenshots: %s\n", qPrintable(why));
  m_failed = true;
}

}  // namespace torvale::tools
