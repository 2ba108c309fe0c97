#pragma once
#include <QDialog>
#include <string>

#include "model/dh_point_list.h"

class QComboBox;

namespace linvara::gui {

class UiServices;

// Chooses the start and end J stake of a segment ("指定J桩").
class JStakeAppointDialog : public QDialog {
    Q_OBJECT
public:
    JStakeAppointDialog(DHPointList jStakes, UiServices& ui, QWidget* parent = nullptr);

    // Preselects the entry with exactly this text (else the first entry).
    void SetStartName(const std::string& name);
    void SetEndName(const std::string& name);

    // After OK: the chosen stakes and their names.
    const DHPoint& StartStake() const { return start_; }
    const DHPoint& EndStake() const { return end_; }
    const std::string& StartName() const { return startName_; }
    const std::string& EndName() const { return endName_; }

    // The OK button: refuses the same entry twice, else closes with OK.
    void OnOk();

private:
    DHPointList jStakes_;
    UiServices& ui_;
    QComboBox* startCombo_;
    QComboBox* endCombo_;
    DHPoint start_, end_;
    std::string startName_, endName_;
};

}  // namespace linvara::gui
