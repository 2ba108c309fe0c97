#include "dialogs/lat_lon_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/dialog_widgets.h"
#include "common/ui_services.h"
#include "dialogs/projection_box.h"

namespace linvara::gui {

namespace {

QString Explanation(std::size_t lacking, std::size_t stale) {
    if (stale == 0)
        return QStringLiteral("有%1个点没有经纬度，将按下面的投影由其北、东坐标计算；"
                              "已有经纬度的点不变。可以撤销。")
            .arg(lacking);
    const QString which = lacking == 0 ? QStringLiteral("有%1个点的经纬度与坐标不符").arg(stale)
                                       : QStringLiteral("有%1个点没有经纬度、%2个点的经纬度与坐标不符")
                                             .arg(lacking)
                                             .arg(stale);
    return which + QStringLiteral("，将按下面的投影由其北、东坐标计算；其他点的经纬度不变。"
                                  "工程记住该投影，以后修改坐标时经纬度随之更新。可以撤销。");
}

}  // namespace

LatLonDialog::LatLonDialog(std::size_t lacking, std::size_t stale, UiServices& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), projection_(new ProjectionBox(false)) {
    setWindowTitle(QStringLiteral("计算经纬度"));
    projection_->LoadSettings();
    auto* text = new QLabel(Explanation(lacking, stale));
    text->setObjectName("latLonText");
    text->setWordWrap(true);
    QDialogButtonBox* buttons = OkCancelButtons(*this, QStringLiteral("计算"), [this] { OnOk(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(projection_);
    layout->addWidget(buttons);
}

void LatLonDialog::OnOk() {
    std::optional<GaussKrugerZone> zone;
    if (!projection_->Read(ui_, zone) || !zone) return;
    zone_ = *zone;
    projection_->SaveSettings();
    accept();
}

QString LatLonDialog::Description() const { return projection_->Description(); }

}  // namespace linvara::gui
