#pragma once
#include <QUndoCommand>
#include <functional>

namespace linvara::gui {

// One entry of the undo history: a command already carried out, with how
// to take it back and do it again. Each step stores the list it leaves;
// when one fails (reported already) the history no longer matches the
// file and `broken` runs.
class ListCommand : public QUndoCommand {
public:
    using Step = std::function<bool()>;
    ListCommand(const QString& text, Step undo, Step redo, std::function<void()> broken);

    void undo() override;
    void redo() override;

private:
    Step undo_, redo_;
    std::function<void()> broken_;
    bool done_ = true;  // pushed after it was carried out: the first redo is that
};

}  // namespace linvara::gui
