#pragma once
#include <QByteArray>
#include <QString>

#include "model/options.h"

class QMainWindow;

namespace linvara::gui {

// What the desktop program remembers between runs, in the user's settings
// (QSettings, organisation and application "Linvara"): the last folder of
// each file dialog, the last result kind (and KML or KMZ), the list's columns and the
// conversion options of each project. The window's geometry and docks are
// kept by MainWindow through the same settings.
namespace workspace {

// The folder a file dialog (by its key, e.g. "open", "merge-folder") was
// last left in; empty when never used.
QString LastFolder(const QString& dialog);
// Remembers the folder of `path` (a file) or `path` itself (a folder).
void RememberFolder(const QString& dialog, const QString& path);

// Where a save dialog starts: the project's folder when a project is open,
// else the dialog's last folder, with `fileName` offered.
QString SuggestedPath(const QString& dialog, const QString& projectPath, const QString& fileName);
// The project file's name without folder and extension ("line" for /a/line.PD).
QString ProjectTitle(const QString& projectPath);

int LastResultKind();
void RememberResultKind(int kind);
// Whether the KML kind was last written as a KMZ archive.
bool LastResultKmz();
void RememberResultKmz(bool kmz);

// The list's header state (widths and order of the columns).
QByteArray ListColumns();
void RememberListColumns(const QByteArray& state);

// The user's conversion options for projects that keep none of their own
// (a project keeps its own in its file); the built-in defaults until set.
ConversionOptions DefaultOptions();
void RememberDefaultOptions(const ConversionOptions& options);
// The options an earlier version of the program kept in the settings for
// the project at `projectPath`; `fallback` when it kept none. A project
// without options of its own in its file starts from these, so an update
// loses nothing the user set.
ConversionOptions EarlierProjectOptions(const QString& projectPath, const ConversionOptions& fallback);

// The main window's geometry and state of toolbars and docks.
void SaveWindow(const QMainWindow& window);
// False when nothing was saved yet (the caller then picks a first size).
bool RestoreWindow(QMainWindow& window);

}  // namespace workspace
}  // namespace linvara::gui
