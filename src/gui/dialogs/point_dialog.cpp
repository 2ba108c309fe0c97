#include "dialogs/point_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui_services.h"
#include "common/number_field.h"
#include "dialogs/pole_type_pictures.h"
#include "model/code_tables.h"
#include "model/dh_point_list.h"

namespace linvara::gui {
namespace {

void FillCodeCombo(QComboBox* combo, std::span<const CodeName> table, bool poleTypes) {
    combo->clear();
    for (const CodeName& row : table)
        combo->addItem(QString::fromStdString(poleTypes ? PoleTypeRowText(row) : CodeRowText(row)), row.code);
}

// The code of the selected entry; the previous value when nothing is
// selected (a code the table does not know stays as it was).
int SelectedCode(const QComboBox* combo, int previous) {
    return combo->currentIndex() < 0 ? previous : combo->currentData().toInt();
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PointDialog::PointDialog(Task task, UiServices& ui, QWidget* parent)
    : QDialog(parent), task_(task), ui_(ui) {
    setWindowTitle(task == Add ? QStringLiteral("添加道享点")
                   : task == Insert ? QStringLiteral("插入道享点")
                                    : QStringLiteral("编辑道享点"));
    BuildControls();
    FillSelectors();
    ShowValues();
}

void PointDialog::BuildControls() {
    auto* groups = new QHBoxLayout;
    groups->addWidget(BuildCoordinateGroup(), 0, Qt::AlignTop);
    groups->addWidget(BuildAttributeGroup(), 0, Qt::AlignTop);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName("okButton");
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &PointDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

QLineEdit* PointDialog::AddEdit(QFormLayout* form, const char* label, const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    form->addRow(QString::fromUtf8(label), edit);
    return edit;
}

QComboBox* PointDialog::AddCombo(QFormLayout* form, const char* label, const char* name) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setMaxVisibleItems(20);
    form->addRow(QString::fromUtf8(label), combo);
    return combo;
}

QWidget* PointDialog::BuildCoordinateGroup() {
    auto* group = new QGroupBox(QStringLiteral("坐标属性"));
    auto* form = new QFormLayout;
    name_ = AddEdit(form, "点名", "nameEdit");
    code_ = AddEdit(form, "编码", "codeEdit");
    kind_ = AddCombo(form, "类型", "kindCombo");
    x_ = AddEdit(form, "坐标x", "xEdit");
    y_ = AddEdit(form, "坐标y", "yEdit");
    h_ = AddEdit(form, "高程h", "hEdit");
    latitude_ = AddEdit(form, "纬度", "latitudeEdit");
    longitude_ = AddEdit(form, "经度", "longitudeEdit");
    ellipsoidHeight_ = AddEdit(form, "椭球高", "ellipsoidHeightEdit");
    auto* note = new QLabel(QStringLiteral("如需导出KML文件，需要有经纬度坐标，格式：度（dd.ddd)"));
    note->setWordWrap(true);
    auto* column = new QVBoxLayout(group);
    column->addLayout(form);
    column->addWidget(note);
    group->setMinimumWidth(300);
    return group;
}

QWidget* PointDialog::BuildAttributeGroup() {
    auto* group = new QGroupBox(QStringLiteral("道亨属性"));
    attributes_ = new QFormLayout(group);
    mileage_ = AddEdit(attributes_, "里程", "mileageEdit");
    offset_ = AddEdit(attributes_, "偏距", "offsetEdit");
    addHeight_ = AddEdit(attributes_, "量高/房高", "addHeightEdit");
    crossAngle_ = AddEdit(attributes_, "跨越角/塘房长", "crossAngleEdit");
    width_ = AddEdit(attributes_, "沟路宽/塘房宽", "widthEdit");
    featureCode_ = AddCombo(attributes_, "地物编码", "featureCodeCombo");
    linkCode_ = AddCombo(attributes_, "连线编码", "linkCodeCombo");
    poleType_ = AddCombo(attributes_, "杆型", "poleTypeCombo");
    polePicture_ = new QLabel;
    polePicture_->setObjectName("polePicture");
    polePicture_->setFixedSize(120, 110);
    polePicture_->setFrameShape(QFrame::Box);
    attributes_->addRow(QString(), polePicture_);
    ditchCode_ = AddCombo(attributes_, "沟路连码", "ditchCodeCombo");
    frontPoint_ = AddEdit(attributes_, "前中断面点:", "frontPointEdit");
    backPoint_ = AddEdit(attributes_, "后中断面点:", "backPointEdit");
    group->setMinimumWidth(340);
    return group;
}

void PointDialog::FillSelectors() {
    filling_ = true;
    for (int kind = 0; kind < 7; ++kind) kind_->addItem(QString::fromUtf8(DHTypeName(kind)));
    FillCodeCombo(poleType_, PoleTypeTable(), true);
    FillCodeCombo(linkCode_, CrossingObjectTable(), false);
    FillCodeCombo(featureCode_, PointCodeTable(), false);
    FillCodeCombo(ditchCode_, FeatureClassTable(), false);
    filling_ = false;
    connect(kind_, &QComboBox::currentIndexChanged, this, &PointDialog::OnKindChanged);
    connect(poleType_, &QComboBox::currentIndexChanged, this, &PointDialog::ShowPolePicture);
}

void PointDialog::SetPoint(const DHPoint& point) {
    point_ = point;
    ShowValues();
}

void PointDialog::SetKindIndex(int kind) {
    kind_->setCurrentIndex(kind >= 0 && kind < 7 ? kind : 0);
    ApplyVisibility();
}

// Copies the point into the controls; in add and insert modes the kind
// keeps what the caller chose.
void PointDialog::ShowValues() {
    filling_ = true;
    const DHPoint& p = point_;
    name_->setText(Q(p.NewPtName));
    code_->setText(Q(p.Code));
    for (auto [edit, value] : {std::pair{x_, p.Dx}, {y_, p.Dy}, {h_, p.Dh}, {mileage_, p.Mileage},
                               {offset_, p.Offset}, {addHeight_, p.AddHight}, {crossAngle_, p.CrossAngle},
                               {width_, p.GLWide}, {latitude_, p.B}, {longitude_, p.L}, {ellipsoidHeight_, p.H}})
        edit->setText(NumberText(value));
    frontPoint_->setText(Q(p.FZdmPt));
    backPoint_->setText(Q(p.BZdmPt));
    if (task_ == Edit) kind_->setCurrentIndex(p.DHType >= 0 && p.DHType < 7 ? p.DHType : -1);
    poleType_->setCurrentIndex(p.PoleType - 1 < poleType_->count() ? p.PoleType - 1 : -1);
    linkCode_->setCurrentIndex(IndexOfCode(CrossingObjectTable(), p.LXCode));
    featureCode_->setCurrentIndex(IndexOfCode(PointCodeTable(), p.ObjectCode));
    ditchCode_->setCurrentIndex(IndexOfCode(FeatureClassTable(), p.GLCode));
    filling_ = false;
    ShowPolePicture(poleType_->currentIndex());
    ApplyVisibility();
}

void PointDialog::ApplyVisibility() {
    const int k = kind_->currentIndex();
    attributes_->setRowVisible(linkCode_, k == CrossingOnePoint);
    attributes_->setRowVisible(poleType_, k == CrossingOnePoint);
    attributes_->setRowVisible(polePicture_, k == CrossingOnePoint);
    attributes_->setRowVisible(featureCode_, k == AuxPoint);
    attributes_->setRowVisible(frontPoint_, k == FeatureTwoPoint || k == HouseThreePoint);
    attributes_->setRowVisible(backPoint_, k == FeatureTwoPoint || k == HouseThreePoint);
    attributes_->setRowVisible(ditchCode_, k >= FeatureOnePoint && k <= HouseThreePoint);
}

void PointDialog::OnKindChanged(int kind) {
    if (filling_) return;
    ApplyVisibility();
    if (kind == AuxPoint) featureCode_->setCurrentIndex(0);
}

void PointDialog::ShowPolePicture(int index) { polePicture_->setPixmap(PoleTypePicture(index)); }

bool PointDialog::ReadNumbers() {
    DHPoint& p = point_;
    for (auto [edit, target] : {std::pair{x_, &p.Dx}, {y_, &p.Dy}, {h_, &p.Dh}, {latitude_, &p.B},
                                {longitude_, &p.L}, {ellipsoidHeight_, &p.H}, {mileage_, &p.Mileage},
                                {offset_, &p.Offset}, {addHeight_, &p.AddHight}, {crossAngle_, &p.CrossAngle},
                                {width_, &p.GLWide}}) {
        double value = 0;
        if (!ReadNumberField(*edit, ui_, value)) return false;
        *target = value;
    }
    return true;
}

void PointDialog::OnOk() {
    if (nameCheck_) {
        if (const QString refused = nameCheck_(name_->text().toStdString()); !refused.isEmpty()) {
            ui_.Warning(refused);
            name_->setFocus();
            return;
        }
    }
    const DHPoint before = point_;
    if (!ReadNumbers()) {
        point_ = before;
        return;
    }
    DHPoint& p = point_;
    p.NewPtName = name_->text().toStdString();
    p.Code = code_->text().toStdString();
    p.DHType = kind_->currentIndex() < 0 ? p.DHType : kind_->currentIndex();
    p.FZdmPt = frontPoint_->text().toStdString();
    p.BZdmPt = backPoint_->text().toStdString();
    if (poleType_->currentIndex() >= 0) p.PoleType = poleType_->currentIndex() + 1;
    p.LXCode = SelectedCode(linkCode_, p.LXCode);
    p.GLCode = SelectedCode(ditchCode_, p.GLCode);
    if (p.DHType == AuxPoint) {
        p.ObjectCode = SelectedCode(featureCode_, p.ObjectCode);
        if (task_ == Add) p.GLCode = 13;
    }
    if (task_ != Edit) {
        p.GPS_ID = NewGpsId();
        p.OrgPtName = p.NewPtName;
    }
    if (const QString question = question_ ? question_(p) : QString();
        !question.isEmpty() && !ui_.AskYesNoDefaultNo(question)) {
        point_ = before;
        x_->setFocus();
        return;
    }
    accept();
}

}  // namespace linvara::gui
