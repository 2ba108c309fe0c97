#include "app/app_globals.h"

namespace linvara::gui {
namespace {
CMainFrame* gMainFrame = nullptr;
CLinvaraDoc* gDocument = nullptr;
CDataListView* gListView = nullptr;
}  // namespace

CMainFrame* TheMainFrame() { return gMainFrame; }
CLinvaraDoc* TheDocument() { return gDocument; }
CDataListView* TheListView() { return gListView; }
void SetTheMainFrame(CMainFrame* frame) { gMainFrame = frame; }
void SetTheDocument(CLinvaraDoc* doc) { gDocument = doc; }
void SetTheListView(CDataListView* view) { gListView = view; }

COptions& TheOptions() {
    static COptions options;
    return options;
}

}  // namespace linvara::gui
