// Features measured with two points (the point and one auxiliary point) and
// houses measured with three (the point and two auxiliary points).
#include <cmath>

#include "org/aux_problem.h"
#include "org/feature_class.h"
#include "org/org_records.h"
#include "org/org_record_builder.h"

namespace linvara {
namespace {

using org::Plus;

// One end of a two-point feature, ordered along the line.
struct End {
    const DHPoint* point;
    double mileage;
    const char* name() const { return point->NewPtName.c_str(); }
};

// The values the class records of a two-point feature are built from.
struct TwoPoint {
    const DHPoint& p;
    const DHPoint& aux;
    End first;
    End second;
    int n;
    int cls;
    double angle;
    const char* name() const { return p.NewPtName.c_str(); }
};

void Ditch(OrgRecordBuilder& out, const TwoPoint& f) {
    out.AddRecordFormatted(org::kRoadTwo, f.first.name(), f.second.name(), f.angle, f.cls);
    out.AddRecordFormatted(org::kEdge95UpNamed, Plus(f.n, 1), f.first.name(), f.p.AddHight, f.first.name());
    out.AddRecordFormatted(org::kEdge95DownNamed, Plus(f.n, 2), f.second.name(), f.p.AddHight, f.second.name());
    out.AddRecordFormatted(org::kLinkNamed, f.first.name(), f.second.name());
}

void River(OrgRecordBuilder& out, const TwoPoint& f) {
    out.AddRecordFormatted(org::kWaterTwo, f.first.name(), f.second.name(), f.angle, f.cls % 1000);
    out.AddRecordFormatted(org::kEdge94UpNamed, Plus(f.n, 1), f.first.name(), f.p.AddHight, f.first.name());
    out.AddRecordFormatted(org::kEdge94DownNamed, Plus(f.n, 2), f.second.name(), f.p.AddHight, f.second.name());
    out.AddRecordFormatted(org::kBank94Down, Plus(f.n, 3), Plus(f.n, 2), Plus(f.n, 2));
    out.AddRecordFormatted(org::kBank94Down, Plus(f.n, 4), Plus(f.n, 1), Plus(f.n, 1));
    out.AddRecordFormatted(org::kRiverBank, Plus(f.n, 1), Plus(f.n, 2));
    out.AddRecordFormatted(org::kLinkNamed, f.first.name(), f.second.name());
}

// A pond is drawn from the auxiliary point itself, whatever the order.
void Pond(OrgRecordBuilder& out, const TwoPoint& f) {
    const char* aux = f.aux.NewPtName.c_str();
    const double h = f.p.CrossAngle / 2;
    const double w = f.p.GLWide / 2;
    out.AddRecordFormatted(org::kPondLine70Named, aux);
    out.AddRecordFormatted(org::kPondLine60Named, f.name());
    out.AddRecordFormatted(org::kPondAheadNamed, Plus(f.n, 1), aux, h, w, aux);
    out.AddRecordFormatted(org::kPondBackNamed, Plus(f.n, 2), aux, h, w, f.n);
    out.AddRecordFormatted(org::kPondClose, f.n, Plus(f.n, 1));
    out.AddRecordFormatted(org::kPondCloseNamed, aux, Plus(f.n, 2));
}

// The house's point takes the coordinates of the nearer end; the far end
// becomes the second corner.
void House(OrgRecordBuilder& out, const TwoPoint& f) {
    const DHPoint& near = *f.first.point;
    const DHPoint& far = *f.second.point;
    const double length = f.p.CrossAngle;
    const int side = length > 0.0000000001 ? -1 : 1;
    out.AddRecordFormatted(org::kPoint, f.name(), near.Offset, f.first.mileage, near.Dh);
    out.AddRecordFormatted(org::kHouseFarCorner3, Plus(f.n, 1), far.Offset, f.second.mileage, far.Dh, f.name(),
                           f.cls);
    out.AddRecordFormatted(org::kWallSided, Plus(f.n, 2), f.name(), Plus(f.n, 1), side, length, f.cls);
    out.AddRecordFormatted(org::kHeight3, Plus(f.n, 4), f.name(), Plus(f.n, 2), f.p.AddHight);
}

}  // namespace

void OrgRecordBuilder::ConvertTwoPointFeature(const DHPoint& point) {
    const DHPoint* aux = FindAuxPoint(point.FZdmPt);
    if (aux == nullptr) {
        // The feature is left out of the file: an error, as the check calls it.
        reporter_.AboutPoint(MessageLevel::Error, org::kTwoPointAuxMissing + WhyNoAuxPoint(point.FZdmPt),
                             RefOf(point));
        return;
    }
    // Unlike RelativeMileage, a line without J stakes keeps the stored mileages.
    const double origin = jStakes_.empty() ? 0.0 : jStakes_.front().Mileage;
    const End a{aux, aux->Mileage - origin};
    const End p{&point, point.Mileage - origin};
    const bool auxFirst = p.mileage > a.mileage;

    if (!usedAuxNumbers_.contains(NameNumber(aux->NewPtName))) {
        NoteAuxRecord(*aux);
        AddRecordFormatted(org::kPoint, a.name(), aux->Offset, a.mileage, aux->Dh);
    }
    AddRecordFormatted(org::kPoint, p.name(), point.Offset, p.mileage, point.Dh);

    const double angle = point.CrossAngle < 0 ? -180.0 - point.CrossAngle : 180.0 - point.CrossAngle;
    const int cls = (point.GLCode == 0 || point.GLCode == -1) ? 184 : point.GLCode;  // unset means road
    const TwoPoint f{point, *aux, auxFirst ? a : p, auxFirst ? p : a, NameNumber(point.NewPtName), cls, angle};
    switch (org::GroupOf(cls)) {
        case org::FeatureGroup::Road:
            AddRecordFormatted(org::kRoadTwo, f.first.name(), f.second.name(), angle, cls);
            break;
        case org::FeatureGroup::Ditch: Ditch(*this, f); break;
        case org::FeatureGroup::River: River(*this, f); break;
        case org::FeatureGroup::Pond: Pond(*this, f); break;
        case org::FeatureGroup::House:
            DropTwoPointHouseRecords(*aux);
            House(*this, f);
            break;
        default: break;
    }
}

void OrgRecordBuilder::DropTwoPointHouseRecords(const DHPoint& aux) {
    const std::size_t own = main_.size() - 1;  // the point's record, written last
    DropLastRecord();
    auto it = auxRecordAt_.find(aux.NewPtName);
    if (it == auxRecordAt_.end()) return;  // no record of this auxiliary point in the file
    const std::size_t at = it->second;
    auxRecordAt_.erase(it);
    if (at + 1 == own) {
        DropLastRecord();
    } else {
        // Vacated in place so that remembered positions stay valid; removed
        // before the file is written.
        main_.Vacate(at);
    }
}

void OrgRecordBuilder::ConvertThreePointHouse(const DHPoint& point) {
    const DHPoint* back = FindAuxPoint(point.BZdmPt);
    const DHPoint* front = FindAuxPoint(point.FZdmPt);
    if (back == nullptr || front == nullptr) {
        reporter_.AboutPoint(MessageLevel::Error,
                             org::HouseCornerMessage(back ? std::string() : WhyNoAuxPoint(point.BZdmPt),
                                                     front ? std::string() : WhyNoAuxPoint(point.FZdmPt)),
                             RefOf(point));
        return;
    }
    const bool frontFar = front->Mileage > back->Mileage;
    const DHPoint& near = frontFar ? *back : *front;
    const DHPoint& far = frontFar ? *front : *back;
    const char* name = point.NewPtName.c_str();
    const int n = NameNumber(point.NewPtName);
    const int cls = point.GLCode;
    AddRecordFormatted(org::kPoint, name, near.Offset, RelativeMileage(near), near.Dh);
    AddRecordFormatted(org::kHouseFarCorner, Plus(n, 1), far.Offset, RelativeMileage(far), far.Dh, name, cls);
    AddRecordFormatted(org::kWallNamed, Plus(n, 2), name, Plus(n, 1), std::fabs(far.Offset - point.Offset), cls);
    AddRecordFormatted(org::kHeightNamed, Plus(n, 4), name, Plus(n, 2), point.AddHight);
}

}  // namespace linvara
