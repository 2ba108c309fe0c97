#pragma once
#include <QStringList>

namespace linvara::gui {

// The recently opened projects, newest first, at most 16, kept in the
// user's settings (QSettings array "RecentFiles").
QStringList RecentFiles();
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);
// Drops the entries whose file no longer exists; returns those left.
QStringList PruneRecentFiles();

}  // namespace linvara::gui
