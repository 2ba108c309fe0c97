#include "common/workspace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>

namespace linvara::gui::workspace {

QString LastFolder(const QString& dialog) {
    const QString folder = QSettings().value(QStringLiteral("Folders/") + dialog).toString();
    return folder.isEmpty() || QFileInfo(folder).isDir() ? folder : QString();
}

void RememberFolder(const QString& dialog, const QString& path) {
    if (path.isEmpty()) return;
    const QFileInfo info(path);
    QSettings().setValue(QStringLiteral("Folders/") + dialog,
                         info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

QString SuggestedPath(const QString& dialog, const QString& projectPath, const QString& fileName) {
    const QString folder = projectPath.isEmpty() ? LastFolder(dialog) : QFileInfo(projectPath).absolutePath();
    if (folder.isEmpty()) return fileName;
    return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

QString ProjectTitle(const QString& projectPath) { return QFileInfo(projectPath).completeBaseName(); }

int LastResultKind() { return QSettings().value(QStringLiteral("ResultKind"), 0).toInt(); }

void RememberResultKind(int kind) { QSettings().setValue(QStringLiteral("ResultKind"), kind); }

bool LastResultKmz() { return QSettings().value(QStringLiteral("ResultKmz"), false).toBool(); }

void RememberResultKmz(bool kmz) { QSettings().setValue(QStringLiteral("ResultKmz"), kmz); }

QByteArray ListColumns() { return QSettings().value(QStringLiteral("ListColumns")).toByteArray(); }

void RememberListColumns(const QByteArray& state) { QSettings().setValue(QStringLiteral("ListColumns"), state); }

namespace {

// The options kept in one settings group; `fallback` where it holds none.
ConversionOptions OptionsIn(const QString& group, const ConversionOptions& fallback) {
    QSettings settings;
    settings.beginGroup(group);
    if (!settings.contains(QStringLiteral("StartMileage"))) return fallback;
    ConversionOptions options = fallback;
    // Numbers are stored as numbers: no locale is involved.
    options.StartMileage = settings.value(QStringLiteral("StartMileage"), fallback.StartMileage).toDouble();
    options.UseStartName = settings.value(QStringLiteral("UseStartName"), fallback.UseStartName).toInt();
    options.StartName =
        settings.value(QStringLiteral("StartName"), QString::fromStdString(fallback.StartName)).toString().toStdString();
    options.UseOffsetRange = settings.value(QStringLiteral("UseOffsetRange"), fallback.UseOffsetRange).toInt();
    options.OffsetRange = settings.value(QStringLiteral("OffsetRange"), fallback.OffsetRange).toDouble();
    return options;
}

}  // namespace

ConversionOptions DefaultOptions() { return OptionsIn(QStringLiteral("DefaultOptions"), ConversionOptions{}); }

ConversionOptions EarlierProjectOptions(const QString& projectPath, const ConversionOptions& fallback) {
    // Earlier versions kept them per project under a hash of the absolute path.
    const QString absolute = QFileInfo(projectPath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex();
    return OptionsIn(QStringLiteral("ProjectOptions/") + QString::fromLatin1(hash), fallback);
}

void RememberDefaultOptions(const ConversionOptions& options) {
    QSettings settings;
    settings.beginGroup(QStringLiteral("DefaultOptions"));
    settings.setValue(QStringLiteral("StartMileage"), options.StartMileage);
    settings.setValue(QStringLiteral("UseStartName"), options.UseStartName);
    settings.setValue(QStringLiteral("StartName"), QString::fromStdString(options.StartName));
    settings.setValue(QStringLiteral("UseOffsetRange"), options.UseOffsetRange);
    settings.setValue(QStringLiteral("OffsetRange"), options.OffsetRange);
}

void SaveWindow(const QMainWindow& window) {
    QSettings settings;
    settings.setValue(QStringLiteral("Window/Geometry"), window.saveGeometry());
    settings.setValue(QStringLiteral("Window/State"), window.saveState());
}

bool RestoreWindow(QMainWindow& window) {
    QSettings settings;
    const QByteArray geometry = settings.value(QStringLiteral("Window/Geometry")).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) return false;
    window.restoreState(settings.value(QStringLiteral("Window/State")).toByteArray());
    return true;
}

}  // namespace linvara::gui::workspace
