// Roads, ditches, rivers, ridges, embankments, ponds and houses measured
// with one point that carries the feature's width, length and height.
#include <cmath>
#include <numbers>

#include "org/feature_class.h"
#include "org/org_records.h"
#include "org/org_record_builder.h"

namespace linvara {
namespace {

// The values every record of a one-point feature is built from.
struct OnePoint {
    const char* name;
    int n;       // number of the point name; generated points are n+1, n+2, ...
    double m;    // relative mileage
    double O;    // offset
    double H;    // elevation
    int cls;     // feature class
    double W;    // width
    double L;    // length (CrossAngle)
    double A;    // crossing angle
    double AH;   // height or depth
    double crossAngle;
};

using org::Plus;

void Embankment(OrgRecordBuilder& out, const OnePoint& f) {
    if (f.AH > 0) out.AddRecordFormatted(org::kPlanAux, Plus(f.n, 1), f.O, f.m - 0.1, f.H - f.AH, f.n);
    out.AddRecordFormatted(org::kSlope, f.n, f.cls, f.crossAngle);  // the stored angle, not A
    out.AddRecordFormatted(org::kEmbankment, f.name, f.cls);
}

void Ridge(OrgRecordBuilder& out, const OnePoint& f) {
    const double w = f.W / 2;
    out.AddRecordFormatted(org::kPlanAuxOnLine, Plus(f.n, 1), f.m - w, f.H, f.n);
    out.AddRecordFormatted(org::kPlanAuxOnLine, Plus(f.n, 2), f.m - w - 0.1, f.H - f.AH, Plus(f.n, 1));
    out.AddRecordFormatted(org::kPlanAuxOnLine, Plus(f.n, 3), f.m + w, f.H, f.n);
    out.AddRecordFormatted(org::kPlanAuxOnLine, Plus(f.n, 4), f.m + w + 0.1, f.H - f.AH, Plus(f.n, 3));
    out.AddRecordFormatted(org::kSlope, f.n, f.cls, f.A);
}

// The link of the two edges: n to n+1 across a positive width, reversed otherwise.
void EdgeLink(OrgRecordBuilder& out, const OnePoint& f) {
    if (f.W > 0)
        out.AddRecordFormatted(org::kLink, f.n, Plus(f.n, 1));
    else
        out.AddRecordFormatted(org::kLink, Plus(f.n, 1), f.n);
}

void Road(OrgRecordBuilder& out, const OnePoint& f) {
    const bool wide = f.W > 0;
    out.AddRecordFormatted(org::kRoadOne, f.n, wide ? f.W : 0.01, f.A, f.cls);
    if (f.AH != 0) {
        out.AddRecordFormatted(wide ? org::kEdge95Down : org::kEdge95Up, Plus(f.n, 2), f.n, -f.AH, f.n);
        out.AddRecordFormatted(wide ? org::kEdge95Up : org::kEdge95Down, Plus(f.n, 3), Plus(f.n, 1), -f.AH,
                               Plus(f.n, 1));
    }
    EdgeLink(out, f);
}

// A width that is not positive moves the point to the far edge of the "r" record.
void WaterCourse(OrgRecordBuilder& out, const OnePoint& f, int cls) {
    if (f.W > 0)
        out.AddRecordFormatted(org::kWaterOne, f.n, f.W, f.A, cls);
    else
        out.AddRecordFormatted(org::kWaterOneFar, f.n, f.W, f.A, cls);
}

void Ditch(OrgRecordBuilder& out, const OnePoint& f) {
    const bool wide = f.W > 0;
    WaterCourse(out, f, f.cls);
    out.AddRecordFormatted(wide ? org::kEdge95Up : org::kEdge95Down, Plus(f.n, 2), f.n, -f.AH, f.n);
    out.AddRecordFormatted(wide ? org::kEdge95Down : org::kEdge95Up, Plus(f.n, 3), Plus(f.n, 1), -f.AH,
                           Plus(f.n, 1));
    EdgeLink(out, f);
}

void River(OrgRecordBuilder& out, const OnePoint& f) {
    const bool wide = f.W > 0;
    WaterCourse(out, f, f.cls % 1000);
    out.AddRecordFormatted(wide ? org::kEdge94Up : org::kEdge94Down, Plus(f.n, 2), f.n, -f.AH, f.n);
    out.AddRecordFormatted(wide ? org::kEdge94Down : org::kEdge94Up, Plus(f.n, 3), Plus(f.n, 1), -f.AH,
                           Plus(f.n, 1));
    const char* bank = wide ? org::kBank94Down : org::kBank94Up;
    out.AddRecordFormatted(bank, Plus(f.n, 4), Plus(f.n, 3), Plus(f.n, 3));
    out.AddRecordFormatted(bank, Plus(f.n, 5), Plus(f.n, 2), Plus(f.n, 2));
    EdgeLink(out, f);
}

void Pond(OrgRecordBuilder& out, const OnePoint& f) {
    const double h = f.L / 2;
    const double w = f.W / 2;
    if (f.W > 0) {
        out.AddRecordFormatted(org::kPondWater60, Plus(f.n, 1), f.n, f.W);
        out.AddRecordFormatted(org::kPondLine70, f.n);
        out.AddRecordFormatted(org::kPondAhead, Plus(f.n, 2), f.n, h, w, f.n);
        out.AddRecordFormatted(org::kPondBack, Plus(f.n, 3), f.n, h, w, Plus(f.n, 1));
    } else {
        out.AddRecordFormatted(org::kPondWater70, Plus(f.n, 1), f.n, f.W);
        out.AddRecordFormatted(org::kPondLine60, f.n);
        out.AddRecordFormatted(org::kPondBack, Plus(f.n, 2), f.n, h, w, Plus(f.n, 1));
        out.AddRecordFormatted(org::kPondAhead, Plus(f.n, 3), f.n, h, w, f.n);
    }
}

// The point is the middle of a wall of length L across the line. The wall
// direction is computed, not simplified: its cosine leaves a residue that
// prints as -0.0000 at mileage 0, as the design package expects.
void House(OrgRecordBuilder& out, const OnePoint& f) {
    const double theta = 90.0 * std::numbers::pi / 180.0;
    const double h = f.L / 2;
    out.AddRecordFormatted(org::kCorner, Plus(f.n, 1), f.O + h * std::sin(theta), f.m + h * std::cos(theta), f.H);
    out.AddRecordFormatted(org::kCornerLinked, Plus(f.n, 2), f.O - h * std::sin(theta), f.m - h * std::cos(theta),
                           f.H, Plus(f.n, 1), f.cls);
    out.AddRecordFormatted(org::kWall, Plus(f.n, 3), Plus(f.n, 1), Plus(f.n, 2), f.W, f.cls);
    out.AddRecordFormatted(org::kHeight, Plus(f.n, 5), Plus(f.n, 1), Plus(f.n, 3), 0, f.AH);
}

}  // namespace

void OrgRecordBuilder::ConvertOnePointFeature(const DHPoint& point) {
    const OnePoint f{point.NewPtName.c_str(), NameNumber(point.NewPtName), RelativeMileage(point), point.Offset,
                     point.Dh, point.GLCode, point.GLWide, point.CrossAngle, CrossingAngle(point.CrossAngle),
                     point.AddHight, point.CrossAngle};
    AddRecordFormatted(org::kPoint, f.name, f.O, f.m, f.H);
    switch (org::GroupOf(f.cls)) {
        case org::FeatureGroup::Embankment: Embankment(*this, f); break;
        case org::FeatureGroup::Ridge: Ridge(*this, f); break;
        case org::FeatureGroup::Road: Road(*this, f); break;
        case org::FeatureGroup::Ditch: Ditch(*this, f); break;
        case org::FeatureGroup::River: River(*this, f); break;
        case org::FeatureGroup::Pond: Pond(*this, f); break;
        case org::FeatureGroup::House: House(*this, f); break;
        case org::FeatureGroup::Other: break;
    }
}

}  // namespace linvara
