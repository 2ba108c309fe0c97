#include "app/linvara_doc.h"

#include "app/app_globals.h"
#include "app/project_state.h"

namespace linvara::gui {

CLinvaraDoc::CLinvaraDoc(ProjectState& state, QObject* parent) : QObject(parent), state_(state) {
    SetTheDocument(this);
}

CLinvaraDoc::~CLinvaraDoc() {
    if (TheDocument() == this) SetTheDocument(nullptr);
}

void CLinvaraDoc::Save() {
    if (!state_.loaded() || !state_.database) return;
    // Store failures are not reported; the list in memory stays as it is.
    state_.database->UpdateAllPoints(*state_.current);
    state_.database->RewriteOrder(*state_.current);
}

void CLinvaraDoc::UpdateAllViews(int hint) { emit viewsUpdated(hint); }

}  // namespace linvara::gui
