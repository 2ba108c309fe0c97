#pragma once
#include <QDialog>
#include <optional>

#include "import/gauss_kruger.h"

namespace linvara::gui {

class ProjectionBox;
class UiServices;

// "计算经纬度": the Gauss-Krueger zone of the open project's plane
// coordinates, from which the points without latitude/longitude (or with
// B/L an edit left behind) get them; the project remembers the zone.
class LatLonDialog : public QDialog {
    Q_OBJECT
public:
    // `lacking`: how many points have no latitude/longitude; `stale`: how
    // many have B/L that no longer match their x/y.
    LatLonDialog(std::size_t lacking, std::size_t stale, UiServices& ui, QWidget* parent = nullptr);

    void OnOk();  // keeps the projection in the settings and accepts
    const GaussKrugerZone& Zone() const { return zone_; }
    QString Description() const;

private:
    UiServices& ui_;
    ProjectionBox* projection_;
    GaussKrugerZone zone_;
};

}  // namespace linvara::gui
