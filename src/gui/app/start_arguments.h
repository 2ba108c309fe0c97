#pragma once
#include <QString>
#include <QStringList>

namespace linvara::gui {

// What the desktop program was started with.
struct StartArguments {
    enum class Request { Run, Version, Help };
    Request request = Request::Run;
    // The project to open, absolute; empty when none was named.
    QString project;
    // --window-report=FILE: what the window shows, written once it shows it.
    QString windowReport;
};

// `arguments` without the program name, as a shell or a file manager passes
// them (a desktop entry's %f gives a path; a file: URL is taken as well).
// The first argument that is not an option names the project; a relative
// path is taken from `workingDir`. Options the toolkit did not consume are
// ignored rather than taken for a file name.
StartArguments ParseStartArguments(const QStringList& arguments, const QString& workingDir);

// "linvara 1.0" and the usage lines for --version and --help.
QString VersionText();
QString UsageText();

}  // namespace linvara::gui
