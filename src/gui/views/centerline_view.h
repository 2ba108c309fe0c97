#pragma once
#include <QWidget>

#include "model/dh_point_list.h"
#include "views/plan_view_host.h"

// The plan view: the route drawn in plan (filled in by the plan-view work).
class CCenterlineView : public QWidget {
    Q_OBJECT
public:
    explicit CCenterlineView(PlanViewHost& host, QWidget* parent = nullptr);

    // "Show (mode, list)": the canvas gets the points to draw.
    void SetList(int viewMode, const linvara::DHPointList& list);
    // The document's update with hint 0 (list or mode changed) or 1 (opened/reset).
    void OnUpdate(int hint);

    // Commands of the plan toolbar.
    void OnCenter();       // 32785 居中显示
    void OnPickTool();     // 32794 选点
    void OnPanTool();      // 32793 平移
    void OnZoomWindow();   // 32786
    void OnZoomIn();       // 32777 放大
    void OnZoomOut();      // 32778 缩小
    void OnPreviousView(); // 32781 前一视图
    void OnNextView();     // 32782 后一视图
    int ToolMode() const;  // 0 pan, 1 pick, 2 zoom window

signals:
    // Emitted whenever the tool mode changes, so toolbar buttons follow.
    void toolModeChanged(int mode);

private:
    PlanViewHost& host_;
    int toolMode_ = 1;
};
