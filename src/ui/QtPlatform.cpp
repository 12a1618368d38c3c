#include "ui/QtPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace torvale::ui {

QStringList QtNameFilters(const QString& filter) {
  static const QRegularExpression kTrailingPatterns(QStringLiteral(R"(\s*\([^()]*\)\s*$)"));
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    description.remove(kTrailingPatterns);
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    // "*.*" would hide files without an extension on this system.
    if (patterns == QLatin1String("*.*")) patterns = QStringLiteral("*");
    filters << description + QStringLiteral(" (") + patterns + u')';
  }
  return filters;
}

QString QtPlatform::AskOpenFileName(QWidget* parent, const QString& filter,
                                    const QString& selectedFilter) {
  const QStringList filters = QtNameFilters(filter);
  const QStringList parts = filter.split(u'|');
  const qsizetype selected = parts.indexOf(selectedFilter) / 2;
  QString chosen = filters.value(selected);
  return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                      filters.join(QStringLiteral(";;")), &chosen);
}

QString FilterSuffix(const QString& filter, const QString& description) {
  const QStringList parts = filter.split(u'|');
  const qsizetype at = parts.indexOf(description);
  if (at < 0 || at % 2 != 0) return {};
  const QString pattern = parts.value(at + 1).section(u';', 0, 0);
  return pattern.startsWith(QStringLiteral("*.")) && pattern != QStringLiteral("*.*")
             ? pattern.mid(2)
             : QString();
}

// Qt's own dialog, which adds the chosen type's suffix to a name typed
// without one before it asks whether to replace a file of that name.
QString QtPlatform::AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                    QString& selectedFilter) {
  const QStringList filters = QtNameFilters(filter);
  const QStringList parts = filter.split(u'|');
  QFileDialog dialog(parent, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  const auto choose = [&](const QString& nameFilter) {
    dialog.setDefaultSuffix(FilterSuffix(filter, parts.value(2 * filters.indexOf(nameFilter))));
  };
  dialog.selectNameFilter(filters.value(parts.indexOf(selectedFilter) / 2));
  choose(dialog.selectedNameFilter());
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, choose);
  if (dialog.exec() != QDialog::Accepted) return {};
  const qsizetype picked = filters.indexOf(dialog.selectedNameFilter());
  if (picked >= 0) selectedFilter = parts.value(2 * picked);
  return dialog.selectedFiles().value(0);
}

QString QtPlatform::AskProgramFileName(QWidget* parent, const QString& title) {
  return QFileDialog::getOpenFileName(parent, title);
}

void QtPlatform::ShowMessage(QWidget* parent, MessageIcon icon, const QString& title,
                             const QString& text) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Critical, QMessageBox::Warning,
                                                 QMessageBox::Information};
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(kIcons[static_cast<int>(icon)], title, shown, QMessageBox::Ok, parent);
  box.exec();
}

PendingChoice QtPlatform::AskAboutPendingChanges(QWidget* parent, const QString& title,
                                                 const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text,
                  QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Apply);
  switch (box.exec()) {
    case QMessageBox::Apply:
      return PendingChoice::kApply;
    case QMessageBox::Discard:
      return PendingChoice::kDiscard;
    default:
      return PendingChoice::kCancel;
  }
}

void QtPlatform::ShowModal(QDialog& window) {
  window.exec();
}

void QtPlatform::OpenWebAddress(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

bool QtPlatform::OpenWithDesktopHandler(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtPlatform::StartDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) {
  return QProcess::startDetached(program, arguments, workingFolder);
}

void QtPlatform::EndProgram() {
  // Every write has been made durable by the step that wrote it; the lock goes with the process.
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}

QString QtPlatform::ProgramFolder() const {
  return QCoreApplication::applicationDirPath();
}

}  // namespace torvale::ui
