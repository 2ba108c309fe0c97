#pragma once
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/dh_point.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace linvara::gui {

class UiServices;

// Adds, inserts or edits one point; the attributes offered follow the kind.
class PointDialog : public QDialog {
    Q_OBJECT
public:
    enum Task { Edit = 0, Add = 1, Insert = 2 };

    PointDialog(Task task, UiServices& ui, QWidget* parent = nullptr);

    // Edit mode: the point to edit (its values fill the controls).
    void SetPoint(const DHPoint& point);
    // Add and insert modes: the kind the selector starts at.
    void SetKindIndex(int kind);
    // Checks the entered name on OK: the text of a refusal (the dialog stays
    // open with what was typed), or empty.
    void SetNameCheck(std::function<QString(const std::string& name)> check) { nameCheck_ = std::move(check); }
    // A question about the point as entered, asked on OK before it is
    // accepted (No keeps the dialog open with what was typed), or empty.
    void SetQuestion(std::function<QString(const DHPoint& entered)> question) { question_ = std::move(question); }
    // The result after OK.
    const DHPoint& Point() const { return point_; }

    // The OK button: validates, writes the point and closes with OK.
    void OnOk();

private:
    void BuildControls();
    QWidget* BuildCoordinateGroup();
    QWidget* BuildAttributeGroup();
    QLineEdit* AddEdit(QFormLayout* form, const char* label, const char* name);
    QComboBox* AddCombo(QFormLayout* form, const char* label, const char* name);
    void FillSelectors();
    void ShowValues();
    void ApplyVisibility();
    void OnKindChanged(int kind);
    void ShowPolePicture(int index);
    bool ReadNumbers();

    Task task_;
    UiServices& ui_;
    DHPoint point_;
    QLineEdit* name_ = nullptr;
    QLineEdit* code_ = nullptr;
    QComboBox* kind_ = nullptr;
    QLineEdit *x_ = nullptr, *y_ = nullptr, *h_ = nullptr;
    QLineEdit *mileage_ = nullptr, *offset_ = nullptr, *addHeight_ = nullptr;
    QLineEdit *crossAngle_ = nullptr, *width_ = nullptr;
    QComboBox *featureCode_ = nullptr, *linkCode_ = nullptr, *poleType_ = nullptr, *ditchCode_ = nullptr;
    QLabel* polePicture_ = nullptr;
    QLineEdit *frontPoint_ = nullptr, *backPoint_ = nullptr;
    QLineEdit *latitude_ = nullptr, *longitude_ = nullptr, *ellipsoidHeight_ = nullptr;
    QFormLayout* attributes_ = nullptr;
    bool filling_ = false;
    std::function<QString(const std::string&)> nameCheck_;
    std::function<QString(const DHPoint&)> question_;
};

}  // namespace linvara::gui
