#pragma once
#include <QDialog>
#include <optional>

#include "import/gauss_kruger.h"

namespace linvara::gui {

class ProjectionBox;
class UiServices;

// "计算经纬度": the Gauss-Krueger zone of the open project's plane
// coordinates, from which the points without latitude/longitude get them.
class LatLonDialog : public QDialog {
    Q_OBJECT
public:
    // `lacking`: how many points have no latitude/longitude.
    LatLonDialog(std::size_t lacking, UiServices& ui, QWidget* parent = nullptr);

    void OnOk();  // keeps the projection in the settings and accepts
    const GaussKrugerZone& Zone() const { return zone_; }
    QString Description() const;

private:
    UiServices& ui_;
    ProjectionBox* projection_;
    GaussKrugerZone zone_;
};

}  // namespace linvara::gui
