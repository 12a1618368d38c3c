// The main window's commands of the tables: the Tables menu, which opens each
// table of the game as a grid beside the main window, and Edit > Find.
#include <QMenu>
#include <QSet>

#include "data/RomHeaders.h"
#include "data/Tables.h"
#include "rom/RomError.h"
#include "rom/Version.h"
#include "ui/MainWindow.h"
#include "ui/PlacesWindow.h"
#include "ui/Platform.h"
#include "ui/TableWindow.h"
#include "ui_MainWindow.h"

namespace torvale::ui {
namespace {

// The name with an "&" before the first letter no caption before it took,
// word starts first: "Starting &Equipment".
QString WithMnemonic(const QString& name, QSet<QChar>& taken) {
  for (const bool wordStart : {true, false}) {
    for (qsizetype at = 0; at < name.size(); ++at) {
      const QChar letter = name[at].toLower();
      const bool starts = at == 0 || name[at - 1] == u' ';
      if (!name[at].isLetter() || (wordStart && !starts) || taken.contains(letter)) continue;
      taken.insert(letter);
      return name.left(at) + u'&' + name.mid(at);
    }
  }
  return name;
}

}  // namespace

void MainWindow::ConnectTableCommands() {
  QSet<QChar> taken;
  for (const Table* table : AllTables()) {
    if (table == &RomHeaderTable()) continue;  // the main window's own fields
    const QString name =
        QString::fromLatin1(table->name.data(), static_cast<qsizetype>(table->name.size()));
    QAction* entry = m_ui->mnuTables->addAction(WithMnemonic(name, taken));
    entry->setToolTip(QStringLiteral("Every record of the %1 table, in a grid").arg(name));
    connect(entry, &QAction::triggered, this, [this, table] { OpenTableWindow(*table, -1); });
  }
  connect(m_ui->mnuFind, &QAction::triggered, this, [this] {
    auto* find = PlacesWindow::ForFind(m_session, this);
    connect(find, &PlacesWindow::OpenTableAt, this, &MainWindow::OpenTableWindow);
    find->show();
  });
}

// An open table's window comes to the front; a record asked for is shown.
void MainWindow::OpenTableWindow(const Table& table, int record) {
  if (!m_rom.IsOpen()) return;
  QPointer<TableWindow>& window = m_tableWindows[&table];
  if (window == nullptr || window->isHidden()) {  // a window closed goes once its events are over
    try {
      window = new TableWindow(m_session, m_platform, table, this);
    } catch (const RomError& error) {
      m_platform.ShowMessage(this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                             QStringLiteral("The ROM could not be read: %1.")
                                 .arg(QString::fromLocal8Bit(error.what())));
      return;
    }
    connect(window, &TableWindow::OpenTableAt, this, &MainWindow::OpenTableWindow);
  }
  window->show();
  window->raise();
  window->activateWindow();
  if (record >= 0) window->ShowRecord(record);
}

}  // namespace torvale::ui
