#pragma once

namespace linvara::org {

// The groups of feature classes (GLCode) that get records of their own.
enum class FeatureGroup { Road, Ditch, River, Ridge, Embankment, Pond, House, Other };

inline FeatureGroup GroupOf(int glCode) {
    switch (glCode) {
        case 183: case 184: case 185: case 186: case 408: case 710:
            return FeatureGroup::Road;
        case 173: case 175: case 191:
            return FeatureGroup::Ditch;
        case 1175: case 1191:
            return FeatureGroup::River;
        case 904: case 905: case 906:
            return FeatureGroup::Ridge;
        case 914: case 915: case 937: case 938:
            return FeatureGroup::Embankment;
        case 1000:
            return FeatureGroup::Pond;
        case 201: case 203: case 206: case 211: case 212: case 213:
            return FeatureGroup::House;
        default:
            return FeatureGroup::Other;
    }
}

}  // namespace linvara::org
