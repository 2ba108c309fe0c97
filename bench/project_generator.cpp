#include "project_generator.h"

#include "support/collector_fixture.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>

#include "text/format.h"

namespace linvara::bench {
namespace {

constexpr double kN0 = 3380000.0, kE0 = 500000.0;
constexpr double kB0 = 30.54, kL0 = 114.30;
constexpr double kPi = 3.14159265358979323846;

double Terrain(double n, double e) {
    return 37.0 + 8.0 * std::sin((n - kN0) / 900.0) + 4.5 * std::cos((e - kE0) / 650.0);
}

struct Span {
    double n0, e0, az, length;
    std::string startJ, endJ;
    void At(double along, double offset, double& n, double& e) const {
        n = n0 + along * std::cos(az) + offset * std::sin(az);
        e = e0 + along * std::sin(az) - offset * std::cos(az);
    }
};

class Builder {
public:
    explicit Builder(GeneratedProject& out) : out_(out) {}

    GeneratedPoint& Add(std::string name, int type, double n, double e, std::string code) {
        GeneratedPoint p;
        p.gpsId = text::Format("2026051208%08zu", out_.points.size() + 1);
        p.name = std::move(name);
        p.type = type;
        p.north = n;
        p.east = e;
        p.height = Terrain(n, e);
        p.code = std::move(code);
        out_.points.push_back(std::move(p));
        return out_.points.back();
    }
    std::string DetailName() { return std::to_string(nextNumber_++); }
    std::string ZName() { return text::Format("Z%d", nextZ_++); }

private:
    GeneratedProject& out_;
    int nextNumber_ = 1;
    int nextZ_ = 1;
};

// One group of points of a span: returns how many points it adds.
int AddGroup(Builder& b, const Span& s, int which, double along, std::mt19937& rng) {
    std::uniform_real_distribution<double> side(-30.0, 30.0);
    double n = 0, e = 0;
    auto tag = [&](GeneratedPoint& p) -> GeneratedPoint& {
        p.startJ = s.startJ;
        p.endJ = s.endJ;
        return p;
    };
    switch (which) {
    case 0: {
        s.At(along, 0.004, n, e);
        tag(b.Add(b.ZName(), 1, n, e, "直线桩"));
        return 1;
    }
    case 1: {
        s.At(along, 0.6, n, e);
        GeneratedPoint& p = tag(b.Add(b.DetailName(), 3, n, e, "电力线"));
        p.linkCode = 32;
        p.poleType = 2;
        p.angle = "62.5";
        p.addHeight = 11.8;
        return 1;
    }
    case 2: {
        s.At(along, side(rng), n, e);
        GeneratedPoint& p = tag(b.Add(b.DetailName(), 4, n, e, "公路"));
        p.gouType = 184;
        p.angle = "75";
        p.width = "7.5";
        p.addHeight = 0.4;
        return 1;
    }
    case 3: {
        const double off = side(rng);
        s.At(along - 4.5, off + 0.5, n, e);
        GeneratedPoint& aux = tag(b.Add(b.DetailName(), 2, n, e, "辅助点"));
        aux.gouType = 94;
        const std::string auxName = aux.name;
        s.At(along, off, n, e);
        GeneratedPoint& p = tag(b.Add(b.DetailName(), 5, n, e, "乡道"));
        p.gouType = 186;
        p.angle = "70";
        p.width = "4.5";
        p.before = auxName;
        return 2;
    }
    case 4: {
        const double off = side(rng) > 0 ? 16.0 : -22.0;
        s.At(along, off, n, e);
        GeneratedPoint& back = tag(b.Add(b.DetailName(), 2, n, e, "房角"));
        back.gouType = 48;
        const std::string backName = back.name;
        s.At(along + 12.0, off, n, e);
        GeneratedPoint& front = tag(b.Add(b.DetailName(), 2, n, e, "房角"));
        front.gouType = 48;
        const std::string frontName = front.name;
        s.At(along + 12.0, off + 8.5, n, e);
        GeneratedPoint& p = tag(b.Add(b.DetailName(), 6, n, e, "房屋"));
        p.gouType = 201;
        p.angle = "12.0";
        p.width = "8.5";
        p.addHeight = 6.0;
        p.after = backName;
        p.before = frontName;
        return 3;
    }
    default: {
        s.At(along, side(rng), n, e);
        GeneratedPoint& p = b.Add(b.DetailName(), 2, n, e, "独立树");  // a lone point, no segment
        p.gouType = 927;
        return 1;
    }
    }
}

std::vector<Span> MakeRoute(int jStakes, std::mt19937& rng) {
    std::uniform_real_distribution<double> azimuth(20.0, 65.0);
    std::uniform_real_distribution<double> length(420.0, 720.0);
    std::vector<Span> spans;
    double n = kN0, e = kE0;
    for (int k = 1; k < jStakes; ++k) {
        const double az = azimuth(rng) * kPi / 180.0;
        Span s{n, e, az, length(rng), text::Format("J%d", k), text::Format("J%d", k + 1)};
        n += s.length * std::cos(az);
        e += s.length * std::sin(az);
        spans.push_back(std::move(s));
    }
    return spans;
}

void AddTowerSections(GeneratedProject& out, const std::string& peg, double pn, double pe, double az) {
    static constexpr double kOffsets[] = {-2.5, 3.0, 6.5, 10.5, 15.0};
    const double ph = Terrain(pn, pe);
    for (int sub = 0; sub < 4; ++sub) {
        const double dir = az + (45.0 + 90.0 * sub) * kPi / 180.0;
        for (int k = 0; k < 4 + sub % 2; ++k) {
            const double dis = kOffsets[k] + 0.3 * sub;
            GeneratedTowerRow r;
            r.name = text::Format("%c%d", 'A' + sub, k + 1);
            r.pegName = peg;
            r.x = pn + dis * std::cos(dir);
            r.y = pe + dis * std::sin(dir);
            r.h = Terrain(r.x, r.y) + 0.35 * std::sin(dis + sub);
            r.pegDis = dis;
            r.subIndex = sub;
            r.midx = pn;
            r.midy = pe;
            r.midh = ph;
            out.towerRows.push_back(std::move(r));
        }
    }
}

}  // namespace

GeneratedProject GenerateProject(int pointCount, int jStakes, int towerCentres) {
    GeneratedProject out;
    out.points.reserve(static_cast<std::size_t>(pointCount) + 8);
    std::mt19937 rng(20260512u);
    const std::vector<Span> spans = MakeRoute(jStakes, rng);
    Builder b(out);
    const int details = std::max(0, pointCount - jStakes);
    const int spanCount = static_cast<int>(spans.size());
    for (int i = 0; i < spanCount; ++i) {
        const Span& s = spans[static_cast<std::size_t>(i)];
        b.Add(s.startJ, 0, s.n0, s.e0, "转角桩");
        const int quota = details * (i + 1) / spanCount - details * i / spanCount;
        // Detail points picked up while walking: not in mileage order.
        std::uniform_real_distribution<double> where(0.05, 0.9);
        int added = 0;
        for (int g = 0; added < quota; ++g) {
            int which = g == 0 ? 0 : static_cast<int>(rng() % 6);
            if (quota - added < 3 && (which == 3 || which == 4)) which = 2;
            added += AddGroup(b, s, which, s.length * where(rng), rng);
        }
        // Centre stakes spread evenly along the route.
        if (i * towerCentres / spanCount != (i + 1) * towerCentres / spanCount)
            AddTowerSections(out, s.startJ, s.n0, s.e0, s.az);
    }
    const Span& last = spans.back();
    double n = 0, e = 0;
    last.At(last.length, 0, n, e);
    b.Add(last.endJ, 0, n, e, "转角桩");
    return out;
}

void WriteCollectorFile(const std::string& path, const GeneratedProject& project) {
    std::vector<testing::CollectorPoint> points;
    points.reserve(project.points.size());
    for (const GeneratedPoint& g : project.points) {
        testing::CollectorPoint p;
        p.gpsId = g.gpsId;
        p.name = g.name;
        p.type = g.type;
        p.north = g.north;
        p.east = g.east;
        p.height = g.height;
        p.latitude = kB0 + (g.north - kN0) / 110852.0;
        p.longitude = kL0 + (g.east - kE0) / 95958.0;
        p.altitude = g.height - 12.4;
        p.code = g.code;
        p.linkCode = g.linkCode;
        p.poleType = g.poleType;
        p.addHeight = g.addHeight;
        p.glAngleOrLength = g.angle;
        p.glWidth = g.width;
        p.gouType = g.gouType;
        p.ptAfterSel = g.after;
        p.ptBeforSel = g.before;
        p.startJ = g.startJ;
        p.endJ = g.endJ;
        points.push_back(std::move(p));
    }
    std::vector<testing::CollectorTowerRow> rows;
    rows.reserve(project.towerRows.size());
    for (const GeneratedTowerRow& r : project.towerRows) {
        testing::CollectorTowerRow t;
        t.name = r.name;
        t.x = r.x;
        t.y = r.y;
        t.h = r.h;
        t.code = "地面点";
        t.pegDis = r.pegDis;
        t.pegName = r.pegName;
        t.subIndex = r.subIndex;
        t.midx = t.pegx = r.midx;
        t.midy = t.pegy = r.midy;
        t.midh = t.pegh = r.midh;
        rows.push_back(std::move(t));
    }
    testing::WriteCollectorProject(path, points, rows);
}

DHPointList ToWorkingList(const GeneratedProject& project) {
    DHPointList list;
    list.reserve(project.points.size());
    int id = 1;
    for (const GeneratedPoint& g : project.points) {
        DHPoint p;
        p.ID = id++;
        p.GPS_ID = g.gpsId;
        p.NewPtName = g.name;
        p.OrgPtName = g.name;
        p.Code = g.code;
        p.Dx = g.north;
        p.Dy = g.east;
        p.Dh = g.height;
        p.DHType = g.type;
        p.PoleType = g.poleType;
        p.LXCode = g.linkCode;
        p.ObjectCode = g.gouType;
        p.AddHight = g.addHeight;
        p.BZdmPt = g.after;
        p.FZdmPt = g.before;
        p.StartJ = g.startJ;
        p.EndJ = g.endJ;
        list.push_back(std::move(p));
    }
    return list;
}

}  // namespace linvara::bench
