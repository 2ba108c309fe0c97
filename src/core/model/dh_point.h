#pragma once
#include <string>

namespace linvara {

// Point kinds (DHType).
enum DHKind : int {
    JStake = 0,            // angle stake: a turning point of the route
    ZStake = 1,            // straight-line stake
    AuxPoint = 2,          // auxiliary point of a two/three-point feature
    CrossingOnePoint = 3,  // crossed line or object measured with one point
    FeatureOnePoint = 4,   // road, river, pond, house ... measured with one point
    FeatureTwoPoint = 5,   // ... with two points
    HouseThreePoint = 6,   // house measured with three points
};

// One surveyed point: a row of Electric_DH_Export and its place in the
// working list. Fields are in the table's order and named after its columns.
struct DHPoint {
    int ID = -1;
    int OrderIndex = 0;  // position in the working list, never stored
    std::string NewPtName;
    std::string Code;
    std::string Note;
    std::string OrgPtName;
    std::string GPS_ID;
    double Dx = 0;  // north
    double Dy = 0;  // east
    double Dh = 0;  // height
    // collection block
    std::string SaveDateTime;
    double AntHight = 0;
    double B = 0;  // latitude, decimal degrees
    double L = 0;  // longitude, decimal degrees
    double H = 0;  // ellipsoidal height
    int DHType = JStake;
    int PoleType = 1;
    int LXCode = 0;
    int ObjectCode = 0;
    double CrossAngle = 0;
    int GLCode = 0;
    double GLWide = 0;
    std::string BZdmPt;
    std::string FZdmPt;
    double AddHight = 0;
    std::string StartJ;
    std::string EndJ;
    double Mileage = 0;
    double Offset = 0;
    double DiffHight = 0;
    // Back to the defaults (of a section point: the section block stays).
    void Reset();
};

// A point of a tower-base section as the TOW file and the tower-base table
// carry it: the point plus the section block. Kept apart from DHPoint so that
// the points of the working list do not each carry it.
struct SectionPoint : DHPoint {
    double PegDis = 0;
    double HDiff = 0;
    std::string PegName;
    int SubIndex = 0;
    std::string TowNote;
};

// The display name of a kind ("J桩" ...); empty for a kind outside 0..6.
const char* DHTypeName(int dhType);
// The section letter of a SubIndex: the character with code 64 + SubIndex.
std::string SectionLetter(int subIndex);

}  // namespace linvara
