#pragma once
#include <QDialog>

#include "model/options.h"

class QCheckBox;
class QLineEdit;

namespace linvara::gui {

class UiServices;

// The settings dialog ("设置"): start point name, offset range and start
// mileage. Filled from `current`; Options() is the edited record after OK.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const ConversionOptions& current, UiServices& ui, QWidget* parent = nullptr);

    const ConversionOptions& Options() const { return options_; }
    // The OK button: every number field must hold a number.
    void OnOk();

private:
    ConversionOptions options_;
    UiServices& ui_;
    QCheckBox* useStartName_;
    QLineEdit* startName_;
    QCheckBox* useOffsetRange_;
    QLineEdit* offsetRange_;
    QLineEdit* startMileage_;
};

}  // namespace linvara::gui
