#pragma once
#include "model/options.h"

namespace linvara::gui {

class CMainFrame;
class CDataListView;
class CLinvaraDoc;

// The single instances other parts reach: set when each is created, cleared
// when it goes away (tests create several windows one after the other).
CMainFrame* TheMainFrame();
CLinvaraDoc* TheDocument();
CDataListView* TheListView();
void SetTheMainFrame(CMainFrame* frame);
void SetTheDocument(CLinvaraDoc* doc);
void SetTheListView(CDataListView* view);

// The process-wide conversion options, set to the defaults at start-up and
// changed only by the settings dialog.
COptions& TheOptions();

}  // namespace linvara::gui
