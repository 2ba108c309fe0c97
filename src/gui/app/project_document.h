#pragma once
#include <QObject>

#include "common/view_types.h"

namespace linvara::gui {

struct ProjectState;

// The document holds no data: it saves the working stake list of the
// project state and broadcasts view updates (hint 1 = a project was opened
// or reset, 0 = the list or the view mode changed).
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit ProjectDocument(ProjectState& state, QObject* parent = nullptr);

    // Commands 57603/57604: the whole current list back to the database,
    // values then order. Nothing while no project is loaded.
    void Save();
    void UpdateAllViews(UpdateHint hint);

signals:
    void viewsUpdated(linvara::gui::UpdateHint hint);

private:
    ProjectState& state_;
};

}  // namespace linvara::gui
