#include "ui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace torvale::ui {
namespace {

const QString kRecentFilesKey = QStringLiteral("RecentFiles");

}  // namespace

QStringList RecentFiles::Paths() const {
  QStringList paths;
  for (const QString& entry : m_settings.value(kRecentFilesKey).toStringList()) {
    if (paths.size() == kMaximum) break;
    if (!QDir::isAbsolutePath(entry) || QFileInfo(entry).isDir() || paths.contains(entry)) continue;
    paths << entry;
  }
  return paths;
}

void RecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList paths = Paths();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  Store(paths.mid(0, kMaximum));
}

void RecentFiles::Remove(const QString& path) {
  QStringList paths = Paths();
  paths.removeAll(path);
  Store(paths);
}

void RecentFiles::Clear() {
  Store({});
}

void RecentFiles::Store(const QStringList& paths) {
  m_settings.setValue(kRecentFilesKey, paths);
  m_settings.sync();
}

}  // namespace torvale::ui
