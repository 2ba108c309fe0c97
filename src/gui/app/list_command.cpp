#include "app/list_command.h"

#include <utility>

namespace linvara::gui {

ListCommand::ListCommand(const QString& text, Step undo, Step redo, std::function<void()> broken)
    : QUndoCommand(text), undo_(std::move(undo)), redo_(std::move(redo)), broken_(std::move(broken)) {}

void ListCommand::undo() {
    if (!undo_()) broken_();
}

void ListCommand::redo() {
    if (std::exchange(done_, false)) return;
    if (!redo_()) broken_();
}

}  // namespace linvara::gui
