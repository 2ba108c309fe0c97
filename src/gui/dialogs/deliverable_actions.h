#pragma once
#include <QObject>
#include <QString>

#include "plan/plan_output.h"

class QAction;
class QMainWindow;
class QMenu;
class QPainter;
class QPrinter;

namespace linvara::gui {

class ProjectDocument;
class UiServices;

// What a crew hands in, from the File menu: 导出平面图… (PNG, SVG, PDF),
// 打印… with a print preview, and 成果表… (the results workbook). Each works
// on the open project's list as it stands; the actions are enabled while a
// project is open. A finished file is named in the window's status bar.
class DeliverableActions : public QObject {
    Q_OBJECT
public:
    DeliverableActions(ProjectDocument& document, UiServices& ui, QMainWindow* window);

    // Adds the three actions to `menu`.
    void AddTo(QMenu& menu) const;

    QAction* ExportPlanAction() const { return exportPlan_; }
    QAction* PrintAction() const { return print_; }
    QAction* WorkbookAction() const { return workbook_; }

    void OnExportPlan();
    void OnPrint();
    void OnWorkbook();
    // Paints the plan, fitted to the page, on the printer (the preview's pages too).
    void PrintPlan(QPrinter& printer) const;

private:
    void UpdateEnabled();
    // The open project as the plan draws it, dated today.
    PlanSource Source() const;
    void ShowWritten(const QString& what, const QString& path) const;

    ProjectDocument& document_;
    UiServices& ui_;
    QMainWindow* window_;
    QAction* exportPlan_;
    QAction* print_;
    QAction* workbook_;
};

}  // namespace linvara::gui
