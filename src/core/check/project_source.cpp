#include "check/project_source.h"

#include <exception>
#include <vector>

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

Status ReadTowerBasePoints(const Project& project, SectionPointList& points) {
    points.clear();
    std::vector<TGDataUnit> rows;
    if (Status read = project.TowerBaseRows(rows); !read) return read;
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
    if (Status stored = ReadStoredValueTroubles(project, source.stored); !stored) return stored;
    if (Status read = ReadTowerBasePoints(project, source.towerBase); !read) return read;
    source.points = project.TakePoints();
    return Status::Ok();
}

}  // namespace linvara::check
