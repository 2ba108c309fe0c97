#include "app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace linvara::gui {
namespace {
constexpr int kMaxRecentFiles = 16;
const char* const kKey = "RecentFiles";
const char* const kPath = "path";
}  // namespace

QStringList RecentFiles() {
    QSettings settings;
    QStringList files;
    const int count = settings.beginReadArray(QString::fromLatin1(kKey));
    for (int i = 0; i < count && files.size() < kMaxRecentFiles; ++i) {
        settings.setArrayIndex(i);
        const QString path = settings.value(QString::fromLatin1(kPath)).toString();
        if (!path.isEmpty() && !files.contains(path)) files << path;
    }
    settings.endArray();
    return files;
}

namespace {

void StoreRecentFiles(const QStringList& files) {
    QSettings settings;
    settings.remove(QString::fromLatin1(kKey));
    settings.beginWriteArray(QString::fromLatin1(kKey), static_cast<int>(files.size()));
    for (int i = 0; i < files.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QString::fromLatin1(kPath), files[i]);
    }
    settings.endArray();
}

}  // namespace

void AddRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles) files.removeLast();
    StoreRecentFiles(files);
}

void RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    if (files.removeAll(path) > 0) StoreRecentFiles(files);
}

QStringList PruneRecentFiles() {
    const QStringList files = RecentFiles();
    QStringList kept;
    for (const QString& f : files)
        if (QFileInfo::exists(f)) kept << f;
    if (kept.size() != files.size()) StoreRecentFiles(kept);
    return kept;
}

}  // namespace linvara::gui
