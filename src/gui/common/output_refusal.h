#pragma once
#include <QString>
#include <initializer_list>

namespace linvara::gui {

class UiServices;

// Shows "输出文件不能是工程文件本身：…" and returns true when the chosen
// output is the project or another file the action reads (empty paths are
// skipped); the caller then writes nothing and keeps its earlier choice.
bool OutputRefused(UiServices& ui, const QString& output, std::initializer_list<QString> sources);

}  // namespace linvara::gui
