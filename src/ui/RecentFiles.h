#pragma once

#include <QStringList>

class QSettings;

namespace torvale::ui {

// The ROM files opened last, newest first, as the settings keep them. The
// stored list is read entry by entry: an entry that is no absolute path, names
// a folder or repeats an earlier one is left out, and so is a stored value
// that is no list of names at all.
class RecentFiles {
 public:
  static constexpr qsizetype kMaximum = 8;

  explicit RecentFiles(QSettings& settings) : m_settings(settings) {}

  QStringList Paths() const;
  // Puts the file first, once.
  void Add(const QString& path);
  void Remove(const QString& path);
  void Clear();

 private:
  void Store(const QStringList& paths);

  QSettings& m_settings;
};

}  // namespace torvale::ui
