#include "check/project_source.h"

#include <exception>
#include <vector>

#include "db/project_database.h"
#include "project/project.h"
#include "text/encoding.h"

namespace linvara::check {
namespace {

// The texts as the TOW export decodes them: Name UTF-8, PegName in the ANSI code page.
SectionPoint PointOfRow(const TGDataUnit& row) {
    SectionPoint p;
    p.NewPtName = text::SanitizeUtf8(row.Name);
    p.Code = text::SanitizeUtf8(row.Code);
    p.Dx = row.x;
    p.Dy = row.y;
    p.Dh = row.h;
    p.PegDis = row.PegDis;
    p.HDiff = row.HDiff;
    p.PegName = text::Gb18030ToUtf8(row.PegName);
    p.SubIndex = row.SubIndex + 1;  // the table counts from 0 = A
    return p;
}

}  // namespace

Status ReadTowerBasePoints(const std::string& path, SectionPointList& points) {
    points.clear();
    SilentReporter silent;  // opening was reported once already
    CProjectDatabase database(silent);
    if (Status opened = database.OpenProject(path); !opened) return opened;
    std::vector<TGDataUnit> rows;
    if (Status read = database.ReadTowerBaseRows(rows); !read) return read;
    try {
        points.reserve(rows.size());
        for (const TGDataUnit& row : rows) points.push_back(PointOfRow(row));
    } catch (const std::exception& e) {  // a code-page converter the system lacks
        return Status::Failed(WithCause("查找记录出错!", e.what()));
    }
    return Status::Ok();
}

Status ReadCheckSource(const std::string& path, Reporter& reporter, CheckSource& source) {
    Project project(reporter);
    if (Status opened = project.Open(path); !opened) return opened;
    source.latLon = project.LatLon();
    source.schemaCode = project.SchemaCode();
    const std::string title = project.Title();
    source.points = project.TakePoints();
    if (Status stored = ReadStoredValueTroubles(path, title, source.stored); !stored) return stored;
    return ReadTowerBasePoints(path, source.towerBase);
}

}  // namespace linvara::check
