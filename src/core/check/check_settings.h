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
    // A leg between J stakes or an offset from the route longer than this
    // (metres) is a coordinate gone wrong (a zone number, exchanged x/y); 0: off.
    double maxDistance = 50000.0;
};

}  // namespace linvara::check
