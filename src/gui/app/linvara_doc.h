#pragma once
#include <QObject>

namespace linvara::gui {

struct ProjectState;

// The document holds no data: it saves the working stake list of the
// project state and broadcasts view updates (hint 1 = a project was opened
// or reset, 0 = the list or the view mode changed).
class CLinvaraDoc : public QObject {
    Q_OBJECT
public:
    explicit CLinvaraDoc(ProjectState& state, QObject* parent = nullptr);
    ~CLinvaraDoc() override;

    // Commands 57603/57604: the whole current list back to the database,
    // values then order. Nothing while no project is loaded.
    void Save();
    void UpdateAllViews(int hint);

signals:
    void viewsUpdated(int hint);

private:
    ProjectState& state_;
};

}  // namespace linvara::gui
