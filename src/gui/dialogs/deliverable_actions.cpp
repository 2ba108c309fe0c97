#include "dialogs/deliverable_actions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/project_document.h"
#include "common/output_refusal.h"
#include "common/ui_services.h"
#include "common/workspace.h"
#include "dialogs/plan_export_dialog.h"
#include "plan/plan_output.h"
#include "report/results_workbook.h"
#include "common/native_path.h"

namespace linvara::gui {
namespace {

QAction* NewAction(const QString& text, const QString& tip, QObject* parent) {
    auto* action = new QAction(text, parent);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    return action;
}

}  // namespace

DeliverableActions::DeliverableActions(ProjectDocument& document, UiServices& ui, QMainWindow* window)
    : QObject(window),
      document_(document),
      ui_(ui),
      window_(window),
      exportPlan_(NewAction(QStringLiteral("导出平面图…"), QStringLiteral("把线路平面图写成 PNG、SVG 或 PDF 文件"), this)),
      print_(NewAction(QStringLiteral("打印…"), QStringLiteral("打印线路平面图，先看打印预览"), this)),
      workbook_(NewAction(QStringLiteral("成果表…"), QStringLiteral("写出测量成果表（Excel 工作簿 *.xlsx）"), this)) {
    print_->setShortcut(QKeySequence::Print);
    connect(exportPlan_, &QAction::triggered, this, &DeliverableActions::OnExportPlan);
    connect(print_, &QAction::triggered, this, &DeliverableActions::OnPrint);
    connect(workbook_, &QAction::triggered, this, &DeliverableActions::OnWorkbook);
    connect(&document_, &ProjectDocument::listReset, this, &DeliverableActions::UpdateEnabled);
    UpdateEnabled();
}

void DeliverableActions::AddTo(QMenu& menu) const {
    menu.addAction(exportPlan_);
    menu.addAction(print_);
    menu.addAction(workbook_);
}

void DeliverableActions::UpdateEnabled() {
    for (QAction* action : {exportPlan_, print_, workbook_}) action->setEnabled(document_.IsOpen());
}

PlanSource DeliverableActions::Source() const {
    return {document_.Points(), workspace::ProjectTitle(document_.Path()), QString::fromStdString(TodayText())};
}

void DeliverableActions::ShowWritten(const QString& what, const QString& path) const {
    if (window_) window_->statusBar()->showMessage(what + QStringLiteral("已写入：") + QDir::toNativeSeparators(path));
}

void DeliverableActions::OnExportPlan() {
    if (!document_.IsOpen()) return;
    PlanExportDialog dialog(workspace::SuggestedPath(QStringLiteral("plan"), document_.Path(),
                                                     workspace::ProjectTitle(document_.Path()) + QStringLiteral("_平面图.pdf")),
                            ui_, window_);
    if (!ui_.Exec(dialog) || OutputRefused(ui_, dialog.Path(), {document_.Path()})) return;
    std::string note;
    const Status status = WritePlan(Source(), dialog.Path(), dialog.Options(), &note);
    if (!status) {
        ui_.Error(QString::fromStdString(status.message()));
        return;
    }
    if (!note.empty()) ui_.Warning(QString::fromStdString(note));
    ShowWritten(QStringLiteral("平面图"), dialog.Path());
}

void DeliverableActions::PrintPlan(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    PaintPlanPage(painter, page, printer.resolution(), Source(), 0, true);
}

void DeliverableActions::OnPrint() {
    if (!document_.IsOpen()) return;
    if (!PlanHasPoints(document_.Points())) {  // a plan of no placed point would print blank
        ui_.Warning(QStringLiteral("工程中没有点，不能打印平面图。"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(PlanIsWide(document_.Points()) ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(workspace::ProjectTitle(document_.Path()));
    QPrintPreviewDialog preview(&printer, window_);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintPlan(*p); });
    ui_.Exec(preview);
}

void DeliverableActions::OnWorkbook() {
    const Project* project = document_.OpenProject();
    if (!project) return;
    const QString suggested = workspace::SuggestedPath(
        QStringLiteral("workbook"), document_.Path(), workspace::ProjectTitle(document_.Path()) + QStringLiteral("_成果表.xlsx"));
    const QString path = ui_.GetSaveFileName(QStringLiteral("成果表"), QStringLiteral("Excel 工作簿 (*.xlsx)"),
                                             QStringLiteral("xlsx"), suggested);
    if (path.isEmpty() || OutputRefused(ui_, path, {document_.Path()})) return;
    workspace::RememberFolder(QStringLiteral("workbook"), path);
    const Status status = WriteProjectWorkbook(*project, CorePath(path), TodayText());
    if (!status) {
        ui_.Error(QString::fromStdString(status.message()));
        return;
    }
    ShowWritten(QStringLiteral("成果表"), path);
}

}  // namespace linvara::gui
