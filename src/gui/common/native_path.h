#pragma once
// Paths handed to the core: the core names them in its messages, so they go
// in the form the system shows (backslashes on Windows). Qt's own dialogs
// give paths with '/' everywhere.
#include <QDir>
#include <QString>
#include <string>

namespace linvara::gui {

inline std::string CorePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace linvara::gui
