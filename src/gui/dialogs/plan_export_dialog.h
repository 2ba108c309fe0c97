#pragma once
#include <QDialog>
#include <QString>

#include "plan/plan_output.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace linvara::gui {

class UiServices;

// 导出平面图: the file (its extension chooses PNG, SVG or PDF), the image
// size for PNG and SVG, the paper and scale for PDF, and whether points are
// labelled. Options() and Path() hold the choice after OK.
class PlanExportDialog : public QDialog {
    Q_OBJECT
public:
    PlanExportDialog(const QString& suggestedPath, UiServices& ui, QWidget* parent = nullptr);

    QString Path() const { return path_; }
    const PlanOptions& Options() const { return options_; }
    // The OK button: a file of a known kind and a scale "1:N" or fit to page.
    void OnOk();

    // For tests and the browse button.
    QLineEdit& PathField() const { return *pathField_; }
    QSpinBox& WidthField() const { return *width_; }
    QSpinBox& HeightField() const { return *height_; }
    QComboBox& PaperField() const { return *paper_; }
    QComboBox& ScaleField() const { return *scale_; }
    QCheckBox& LabelsField() const { return *labels_; }

private:
    void OnBrowse();
    // Enables the fields the chosen format uses.
    void FollowFormat();

    UiServices& ui_;
    QString path_;
    PlanOptions options_;
    QLineEdit* pathField_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* paper_;
    QComboBox* scale_;
    QCheckBox* labels_;
};

}  // namespace linvara::gui
