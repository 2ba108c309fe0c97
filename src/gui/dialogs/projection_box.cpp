#include "dialogs/projection_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <cmath>

#include "common/number_field.h"
#include "common/ui_services.h"
#include "text/format.h"

namespace linvara::gui {
namespace {

const char* const kGroup = "ImportProjection";

QString DegreesText(double degrees) { return QString::fromStdString(text::Format("%.10g°", degrees)); }

}  // namespace

ProjectionBox::ProjectionBox(bool allowNone, QWidget* parent)
    : QGroupBox(QStringLiteral("投影（CGCS2000 高斯-克吕格）"), parent),
      meridian_(new QRadioButton(QStringLiteral("中央子午线"))),
      zone_(new QRadioButton(QStringLiteral("投影带号"))),
      meridianEdit_(new QLineEdit),
      zoneSpin_(new QSpinBox),
      widthCombo_(new QComboBox),
      zoneMeridian_(new QLabel),
      falseEasting_(new QCheckBox(QStringLiteral("东坐标加500 km（假东）"))) {
    setObjectName("projectionBox");
    auto* group = new QButtonGroup(this);
    auto* grid = new QGridLayout(this);
    int row = 0;
    if (allowNone) {
        none_ = new QRadioButton(QStringLiteral("不换算（经纬度留空）"));
        none_->setObjectName("noProjectionRadio");
        group->addButton(none_);
        grid->addWidget(none_, row++, 0, 1, 4);
    }
    meridian_->setObjectName("meridianRadio");
    zone_->setObjectName("zoneRadio");
    meridianEdit_->setObjectName("meridianEdit");
    zoneSpin_->setObjectName("zoneSpin");
    widthCombo_->setObjectName("zoneWidthCombo");
    zoneMeridian_->setObjectName("zoneMeridianLabel");
    falseEasting_->setObjectName("falseEastingCheck");
    group->addButton(meridian_);
    group->addButton(zone_);
    meridianEdit_->setPlaceholderText(QStringLiteral("如 114"));
    meridianEdit_->setMaximumWidth(90);
    zoneSpin_->setRange(1, 120);
    zoneSpin_->setValue(38);
    widthCombo_->addItem(QStringLiteral("3°带"), 3);
    widthCombo_->addItem(QStringLiteral("6°带"), 6);
    falseEasting_->setChecked(true);
    falseEasting_->setToolTip(QStringLiteral("东坐标含500 000 m加常数；带号写在东坐标前（如38 500 000.0）也能识别"));
    grid->addWidget(meridian_, row, 0);
    grid->addWidget(meridianEdit_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("度（东经）")), row++, 2, 1, 2);
    grid->addWidget(zone_, row, 0);
    grid->addWidget(zoneSpin_, row, 1);
    grid->addWidget(widthCombo_, row, 2);
    grid->addWidget(zoneMeridian_, row++, 3);
    grid->addWidget(falseEasting_, row, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    meridian_->setChecked(true);
    meridianEdit_->setText(QStringLiteral("114"));
    const auto changedNow = [this] {
        UpdateState();
        emit changed();
    };
    connect(group, &QButtonGroup::buttonToggled, this, [changedNow](QAbstractButton*, bool on) {
        if (on) changedNow();
    });
    connect(meridianEdit_, &QLineEdit::textChanged, this, changedNow);
    connect(zoneSpin_, &QSpinBox::valueChanged, this, changedNow);
    connect(widthCombo_, &QComboBox::currentIndexChanged, this, changedNow);
    connect(falseEasting_, &QCheckBox::toggled, this, changedNow);
    UpdateState();
}

void ProjectionBox::UpdateState() {
    const bool off = none_ && none_->isChecked();
    meridianEdit_->setEnabled(meridian_->isChecked());
    zoneSpin_->setEnabled(zone_->isChecked());
    widthCombo_->setEnabled(zone_->isChecked());
    falseEasting_->setEnabled(!off);
    const GaussKrugerZone z = ZoneOfNumber(zoneSpin_->value(), widthCombo_->currentData().toInt());
    zoneMeridian_->setText(QStringLiteral("中央子午线 ") + DegreesText(z.centralMeridian));
    zoneMeridian_->setEnabled(zone_->isChecked());
}

bool ProjectionBox::ReadMeridian(double& meridian) const {
    return text::ParseDouble(meridianEdit_->text().trimmed().toStdString(), meridian) && std::isfinite(meridian) &&
           std::fabs(meridian) <= 180;
}

std::optional<GaussKrugerZone> ProjectionBox::Zone() const {
    if (none_ && none_->isChecked()) return std::nullopt;
    GaussKrugerZone zone;
    if (zone_->isChecked()) {
        zone = ZoneOfNumber(zoneSpin_->value(), widthCombo_->currentData().toInt());
    } else {
        double meridian = 0;
        if (!ReadMeridian(meridian)) return std::nullopt;
        zone = ZoneOfMeridian(meridian);
    }
    zone.falseEasting = falseEasting_->isChecked();
    return zone;
}

bool ProjectionBox::Read(UiServices& ui, std::optional<GaussKrugerZone>& zone) {
    double meridian = 0;
    if (meridian_->isChecked() && !ReadMeridian(meridian)) {
        ui.Warning(QStringLiteral("中央子午线应为-180到180之间的度数：%1").arg(meridianEdit_->text()));
        meridianEdit_->setFocus();
        meridianEdit_->selectAll();
        return false;
    }
    zone = Zone();
    return true;
}

QString ProjectionBox::Description() const {
    const std::optional<GaussKrugerZone> zone = Zone();
    if (!zone) return QStringLiteral("不换算");
    QString out = zone_->isChecked() ? QStringLiteral("%1°带第%2带，").arg(widthCombo_->currentData().toInt()).arg(zoneSpin_->value())
                                     : QString();
    out += QStringLiteral("中央子午线") + DegreesText(zone->centralMeridian);
    out += zone->falseEasting ? QStringLiteral("，东坐标加500 km") : QStringLiteral("，东坐标不加500 km");
    return out;
}

void ProjectionBox::LoadSettings() {
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kGroup));
    const QString mode = settings.value("mode", "meridian").toString();
    meridianEdit_->setText(settings.value("meridian", meridianEdit_->text()).toString());
    zoneSpin_->setValue(settings.value("zone", zoneSpin_->value()).toInt());
    widthCombo_->setCurrentIndex(settings.value("width", 3).toInt() == 6 ? 1 : 0);
    falseEasting_->setChecked(settings.value("falseEasting", true).toBool());
    if (mode == "none" && none_) none_->setChecked(true);
    else if (mode == "zone") zone_->setChecked(true);
    else meridian_->setChecked(true);
    settings.endGroup();
    UpdateState();
}

void ProjectionBox::SaveSettings() const {
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kGroup));
    const bool off = none_ && none_->isChecked();
    settings.setValue("mode", off ? "none" : zone_->isChecked() ? "zone" : "meridian");
    settings.setValue("meridian", meridianEdit_->text().trimmed());
    settings.setValue("zone", zoneSpin_->value());
    settings.setValue("width", widthCombo_->currentData().toInt());
    settings.setValue("falseEasting", falseEasting_->isChecked());
    settings.endGroup();
}

}  // namespace linvara::gui
