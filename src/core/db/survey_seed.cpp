// Seeding the working tables from the collector's tables Electric_Data_DH and
// Point. Runs inside the transaction that creates the working tables, with
// one prepared statement per table.
#include <SQLiteCpp/SQLiteCpp.h>

#include "db/db_detail.h"
#include "db/project_database.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using db_detail::GbText;
using db_detail::Utf8Text;

constexpr const char* kSurveyJoin =
    "select * from Electric_Data_DH,Point where Electric_Data_DH.GPS_ID = Point.GPSID and DeleteSign!=1";

constexpr const char* kSeedExport =
    "Insert Into Electric_DH_Export  "
    "([GPS_ID],[HostIMEI],[OrgPtName],[NewPtName],[Dx],[Dy],[Dh],[B],[L],[H],[Code],"
    "[AntHight],[SaveDateTime],"
    "[DHType],[Mileage],[Offset],[DiffHight],[PoleType],[PoleName],[PoleModel],[LXCode],[CrossAngle],"
    "[ObjectCode],"
    "[GLWide],[GLCode],[BZdmPt],[FZdmPt],[AddHight],[StartJ],[EndJ]"
    ")"
    "  VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

constexpr const char* kSeedOrder =
    "Insert Into Electric_DH_Order  ([GPS_ID],[Order_NewPtName],[Order_OrgPtName])  VALUES (?,?,?);";

// Column positions of the join, looked up by name once.
struct SurveyColumns {
    int Name, Type, Type_Note, Index, LinkCode, LinkCode_Note, PoleType, PoleType_Note, AddHeight,
        GLAngleOrLength, GLWidth, GouType, GouType_Note, StartJ, EndJ, PtAfterSel, PtBeforSel, GPS_ID,
        HostIMEI, North, East, Height, StartTime, Latitude, Longitude, Altitude, CODE;

    explicit SurveyColumns(const db_detail::NamedColumns& c)
        : Name(c("Name")), Type(c("Type")), Type_Note(c("Type_Note")), Index(c("Index")),
          LinkCode(c("LinkCode")), LinkCode_Note(c("LinkCode_Note")), PoleType(c("PoleType")),
          PoleType_Note(c("PoleType_Note")), AddHeight(c("AddHeight")), GLAngleOrLength(c("GLAngleOrLength")),
          GLWidth(c("GLWidth")), GouType(c("GouType")), GouType_Note(c("GouType_Note")), StartJ(c("StartJ")),
          EndJ(c("EndJ")), PtAfterSel(c("PtAfterSel")), PtBeforSel(c("PtBeforSel")), GPS_ID(c("GPS_ID")),
          HostIMEI(c("HostIMEI")), North(c("North")), East(c("East")), Height(c("Height")),
          StartTime(c("StartTime")), Latitude(c("Latitude")), Longitude(c("Longitude")),
          Altitude(c("Altitude")), CODE(c("CODE")) {}
};

// Texts the collector writes in UTF-8 are read as UTF-8; GLAngleOrLength,
// GLWidth, GPS_ID and HostIMEI are in the collector's ANSI code page.
SurveyRowInfo ReadSurveyRow(const db_detail::Statement& q, const SurveyColumns& c) {
    SurveyRowInfo r;
    r.Name = Utf8Text(q, c.Name);
    r.Type = q.Int(c.Type);
    r.Type_Note = Utf8Text(q, c.Type_Note);
    r.Index = q.Int(c.Index);
    r.LinkCode = q.Int(c.LinkCode);
    r.LinkCode_Note = Utf8Text(q, c.LinkCode_Note);
    r.PoleType = q.Int(c.PoleType);
    r.PoleType_Note = Utf8Text(q, c.PoleType_Note);
    r.AddHeight = q.Real(c.AddHeight);
    r.GLAngleOrLength = GbText(q, c.GLAngleOrLength);
    r.GLWidth = GbText(q, c.GLWidth);
    r.GouType = q.Int(c.GouType);
    r.GouType_Note = Utf8Text(q, c.GouType_Note);
    r.StartJ = Utf8Text(q, c.StartJ);
    r.EndJ = Utf8Text(q, c.EndJ);
    r.PtAfterSel = Utf8Text(q, c.PtAfterSel);
    r.PtBeforSel = Utf8Text(q, c.PtBeforSel);
    r.GPS_ID = GbText(q, c.GPS_ID);
    r.HostIMEI = GbText(q, c.HostIMEI);
    r.North = q.Real(c.North);
    r.East = q.Real(c.East);
    r.Height = q.Real(c.Height);
    r.StartTime = Utf8Text(q, c.StartTime);
    r.Latitude = q.Real(c.Latitude);
    r.Longitude = q.Real(c.Longitude);
    r.Altitude = q.Real(c.Altitude);
    r.CODE = Utf8Text(q, c.CODE);
    return r;
}

}  // namespace

std::string CProjectDatabase::SeedGpsId(const SurveyRowInfo& row) const { return row.GPS_ID + "_" + title_; }

void CProjectDatabase::LoadSurveyRows() {
    surveyRows_.clear();
    try {
        db_detail::Statement query(*connection_, kSurveyJoin);
        const SurveyColumns columns{db_detail::NamedColumns(query)};
        while (query.Step()) surveyRows_.push_back(ReadSurveyRow(query, columns));
    } catch (const SQLite::Exception& e) {
        throw db_detail::SurveyQueryError(e.what());
    }
}

void CProjectDatabase::SeedExportTable() {
    if (surveyRows_.empty()) return;
    db_detail::Statement insert(*connection_, kSeedExport);
    for (const SurveyRowInfo& r : surveyRows_) {
        db_detail::Binder(insert)
            .Text(SeedGpsId(r)).Text(r.HostIMEI).Text(r.Name).Text(r.Name)
            .Real(r.North, 4).Real(r.East, 4).Real(r.Height, 4)
            .Real(r.Latitude, 10).Real(r.Longitude, 10).Real(r.Altitude, 4).Text(r.CODE)
            .Real(r.AntHight, 4).Text(r.StartTime)
            .Int(r.Type).Real(0, 3).Real(0, 3).Real(0, 3).Int(r.PoleType).Text(r.PoleType_Note).Text("")
            .Int(r.LinkCode).Text(r.GLAngleOrLength).Int(r.GouType)
            .Text(r.GLWidth).Int(r.GouType).Text(r.PtAfterSel).Text(r.PtBeforSel).Printed(r.AddHeight, 4)
            .Text(r.StartJ).Text(r.EndJ)
            .Run();
    }
}

void CProjectDatabase::SeedOrderTable() {
    if (surveyRows_.empty()) return;
    db_detail::Statement insert(*connection_, kSeedOrder);
    for (const SurveyRowInfo& r : surveyRows_) db_detail::Binder(insert).Text(SeedGpsId(r)).Text(r.Name).Text(r.Name).Run();
}

}  // namespace linvara
