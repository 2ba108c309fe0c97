#pragma once
#include <QGroupBox>
#include <optional>

#include "import/gauss_kruger.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace linvara::gui {

class UiServices;

// The CGCS2000 Gauss-Krueger zone of plane coordinates: a central meridian,
// or a zone number of the 3° or 6° system, with or without the 500 km false
// easting. Shared by the import dialog and the latitude/longitude command;
// the last choice is kept in the settings.
class ProjectionBox : public QGroupBox {
    Q_OBJECT
public:
    // `allowNone` offers "不换算" (the import can leave B/L empty).
    explicit ProjectionBox(bool allowNone, QWidget* parent = nullptr);

    // The zone chosen, none for "不换算"; false when the meridian is not a
    // number of -180..180 (said through `ui`, focus in the field).
    bool Read(UiServices& ui, std::optional<GaussKrugerZone>& zone);
    // The same without asking: nullopt also when the meridian is unreadable.
    std::optional<GaussKrugerZone> Zone() const;
    // A one-line description for messages ("中央子午线114°，东坐标加500 km").
    QString Description() const;

    void LoadSettings();
    void SaveSettings() const;

signals:
    void changed();

private:
    bool ReadMeridian(double& meridian) const;
    void UpdateState();

    QRadioButton* none_ = nullptr;
    QRadioButton* meridian_;
    QRadioButton* zone_;
    QLineEdit* meridianEdit_;
    QSpinBox* zoneSpin_;
    QComboBox* widthCombo_;
    QLabel* zoneMeridian_;
    QCheckBox* falseEasting_;
};

}  // namespace linvara::gui
