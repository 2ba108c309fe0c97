#include "views/centerline_view.h"

CCenterlineView::CCenterlineView(PlanViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {}

void CCenterlineView::SetList(int, const linvara::DHPointList&) {}
void CCenterlineView::OnUpdate(int) { update(); }
void CCenterlineView::OnCenter() {}
void CCenterlineView::OnPickTool() { toolMode_ = 1; emit toolModeChanged(toolMode_); }
void CCenterlineView::OnPanTool() { toolMode_ = 0; emit toolModeChanged(toolMode_); }
void CCenterlineView::OnZoomWindow() {}
void CCenterlineView::OnZoomIn() {}
void CCenterlineView::OnZoomOut() {}
void CCenterlineView::OnPreviousView() {}
void CCenterlineView::OnNextView() {}
int CCenterlineView::ToolMode() const { return toolMode_; }
