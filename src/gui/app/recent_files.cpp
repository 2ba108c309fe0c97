#include "app/recent_files.h"

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

void AddRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles) files.removeLast();
    QSettings settings;
    settings.remove(QString::fromLatin1(kKey));
    settings.beginWriteArray(QString::fromLatin1(kKey), static_cast<int>(files.size()));
    for (int i = 0; i < files.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QString::fromLatin1(kPath), files[i]);
    }
    settings.endArray();
}

}  // namespace linvara::gui
