#pragma once

namespace linvara::check {

// The thresholds of the geometry rules.
struct CheckSettings {
    // A turn at a J stake sharper than this (degrees) is a route doubling back.
    double maxTurnAngle = 150.0;
    // Points farther from the route than this (metres) are out of the offset range.
    double offsetRange = 500.0;
    // J stakes closer together than this (metres) stand at the same place.
    double samePlaceDistance = 0.001;
};

}  // namespace linvara::check
