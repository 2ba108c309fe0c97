#include "app/project_document.h"

#include "app/project_state.h"

namespace linvara::gui {

ProjectDocument::ProjectDocument(ProjectState& state, QObject* parent) : QObject(parent), state_(state) {}

void ProjectDocument::Save() {
    if (!state_.loaded() || !state_.database) return;
    // Store failures are not reported; the list in memory stays as it is.
    state_.database->UpdateAllPoints(*state_.current);
    state_.database->RewriteOrder(*state_.current);
}

void ProjectDocument::UpdateAllViews(UpdateHint hint) { emit viewsUpdated(hint); }

}  // namespace linvara::gui
