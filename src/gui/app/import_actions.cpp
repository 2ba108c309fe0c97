#include "app/import_actions.h"

#include <QAction>
#include <algorithm>

#include "app/main_window.h"
#include "app/project_document.h"
#include "common/ui_services.h"
#include "dialogs/import_dialog.h"
#include "dialogs/lat_lon_dialog.h"
#include "import/gauss_kruger.h"
#include "import/lat_lon_fill.h"
#include "import/lat_lon_match.h"

namespace linvara::gui {
namespace {

constexpr std::size_t kNamesShown = 10;

QString NameList(const std::vector<std::string>& names) {
    QStringList shown;
    for (std::size_t i = 0; i < std::min(names.size(), kNamesShown); ++i) shown << QString::fromStdString(names[i]);
    QString out = shown.join(QStringLiteral("，"));
    if (names.size() > kNamesShown) out += QStringLiteral(" 等");
    return out;
}

}  // namespace

QAction* NewImportAction(MainWindow& window, UiServices& ui) {
    auto* action = new QAction(QStringLiteral("导入文本数据…"), &window);
    action->setObjectName("importTextAction");
    action->setStatusTip(QStringLiteral("由其他仪器导出的文本或CSV坐标文件生成工程文件"));
    QObject::connect(action, &QAction::triggered, &window, [&window, &ui] { ImportTextData(window, ui); });
    return action;
}

void ImportTextData(MainWindow& window, UiServices& ui) {
    ImportDialog dialog(ui, &window);
    dialog.SetOpenProject(window.Document().Path());
    if (!ui.Exec(dialog)) return;
    window.OpenProjectFile(dialog.TargetPath());
}

QAction* NewLatLonAction(ProjectDocument& document, UiServices& ui, QWidget* parent) {
    auto* action = new QAction(QStringLiteral("计算经纬度…"), parent);
    action->setObjectName("computeLatLonAction");
    action->setStatusTip(QStringLiteral("为没有经纬度的点按高斯-克吕格投影由北、东坐标计算经纬度"));
    QObject::connect(action, &QAction::triggered, parent, [&document, &ui, parent] { ComputeLatLon(document, ui, parent); });
    const auto enable = [action, &document] { action->setEnabled(document.IsOpen()); };
    QObject::connect(&document, &ProjectDocument::listReset, action, enable);
    enable();
    return action;
}

void ComputeLatLon(ProjectDocument& document, UiServices& ui, QWidget* parent) {
    if (!document.IsOpen()) return;
    const DHPointList& points = document.Points();
    const auto lacking = static_cast<std::size_t>(std::ranges::count_if(points, import::LacksLatLon));
    // B/L that an edit of x/y left behind are computed again too.
    std::vector<std::size_t> stale;
    for (const import::StaleLatLon& s : import::FindStaleLatLon(points, document.OpenProject()->LatLon()))
        stale.push_back(s.row);
    if (lacking == 0 && stale.empty()) {
        ui.Info(QStringLiteral("所有点都已有经纬度，无需计算。"));
        return;
    }
    LatLonDialog dialog(lacking, stale.size(), ui, parent);
    if (!ui.Exec(dialog) || !document.IsOpen()) return;
    std::string why;
    const std::unique_ptr<GaussKruger> projection = GaussKruger::Create(dialog.Zone(), why);
    if (!projection) {
        ui.Error(QStringLiteral("投影参数不可用（%1）").arg(QString::fromStdString(why)));
        return;
    }
    DHPointList edited = document.Points();
    const import::LatLonFill fill = import::FillLatLon(edited, *projection, stale);
    const QString failed = fill.failed.empty() ? QString()
                                               : QStringLiteral("\n%1个点的坐标无法在该投影带中换算，未计算：%2")
                                                     .arg(fill.failed.size())
                                                     .arg(NameList(fill.failed));
    if (fill.filled == 0) {
        ui.Error(QStringLiteral("没有算出任何点的经纬度（%1）。").arg(dialog.Description()) + failed);
        return;
    }
    // The zone is the project's from now on: later edits of x/y keep B/L with them.
    const CoordinateSystem system = CoordinateSystemOf(dialog.Zone());
    if (!document.EditValues(QStringLiteral("计算经纬度"), std::move(edited), &system)) return;
    const QString done = QStringLiteral("已为%1个点计算经纬度（%2）。").arg(fill.filled).arg(dialog.Description());
    if (failed.isEmpty()) ui.Info(done);
    else ui.Warning(done + failed);
}

}  // namespace linvara::gui
