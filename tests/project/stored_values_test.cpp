// The working list holds what the project file keeps: a value computed or
// typed next to a tie of its stored decimals shows the same digits while the
// project is open as after it is opened again.
#include <gtest/gtest.h>

#include <functional>

#include "project/project.h"
#include "support/named_point.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/format.h"

namespace linvara::testing {
namespace {

// Every number of a point as the list shows it ("%.3f"), and the exact
// values behind them.
std::string Shown(const DHPoint& p) {
    return text::Format("%s x=%.3f y=%.3f h=%.3f 里程=%.3f 偏距=%.3f 量高=%.3f 宽=%.3f 角=%.3f 天线高=%.3f", p.NewPtName.c_str(),
                        p.Dx, p.Dy, p.Dh, p.Mileage, p.Offset, p.AddHight, p.GLWide, p.CrossAngle, p.AntHight);
}
std::string Exact(const DHPoint& p) {
    return text::Format("%s %a %a %a %a %a %a %a %a %a %a %a %a", p.NewPtName.c_str(), p.Dx, p.Dy, p.Dh, p.B, p.L,
                        p.H, p.Mileage, p.Offset, p.AddHight, p.GLWide, p.CrossAngle, p.AntHight);
}

struct Case {
    const char* name;
    std::vector<CollectorPoint> points;
    std::function<void(Project&)> run;
    const char* point;       // the point next to a tie
    double DHPoint::* value;  // its value there
    const char* shown;       // as the list shows it, open and reopened
};

void Check(const Status& status) { ASSERT_TRUE(IsOk(status)); }

std::vector<Case> Cases() {
    const std::vector<CollectorPoint> leg = {Point("1", "J1", 0, 0, 0), Point("2", "J2", 0, 3558.3905, 0.5)};
    return {
        // hypot(3558.3905, 0.5) = 3558.39053...: stored 3558.3905, whose
        // double lies below the tie, so "%.3f" of the stored value is .390.
        {"auto order, just above a tie", leg, [](Project& p) { p.AutoOrder(); }, "J2", &DHPoint::Mileage, "3558.390"},
        // 3558.39145...: stored 3558.3915, whose double lies above the tie.
        {"auto order, just below a tie", {Point("1", "J1", 0, 0, 0), Point("2", "J2", 0, 3558.3914, 0.6)},
         [](Project& p) { p.AutoOrder(); }, "J2", &DHPoint::Mileage, "3558.392"},
        // P lies 3558.39052 along the leg J1 (0, 0) -> J2 (6000, 8000).
        {"appointed J stakes",
         {Point("1", "J1", 0, 0, 0), Point("2", "J2", 0, 6000, 8000), Point("3", "P", 2, 2135.0342, 2846.7125)},
         [](Project& p) { p.AppointJStakes({Named(p, "P").GPS_ID}, Named(p, "J1"), Named(p, "J2")); }, "P",
         &DHPoint::Mileage, "3558.390"},
        {"a typed mileage", leg,
         [](Project& p) {
             DHPoint edited = Named(p, "J1");
             edited.Mileage = 3558.39051;
             Check(p.EditPoint(edited));
         },
         "J1", &DHPoint::Mileage, "3558.390"},
        // Stored as 0, never as -0.
        {"a typed offset that rounds to nothing", leg,
         [](Project& p) {
             DHPoint edited = Named(p, "J1");
             edited.Offset = -0.00001;
             Check(p.EditPoint(edited));
         },
         "J1", &DHPoint::Offset, "0.000"},
        {"an added point", leg,
         [](Project& p) {
             DHPoint added;
             added.GPS_ID = "new";
             added.NewPtName = added.OrgPtName = "N";
             added.DHType = AuxPoint;
             added.Dx = 3558.39051;
             added.Mileage = 3558.39051;
             Check(p.AddPoint(added));
         },
         "N", &DHPoint::Mileage, "3558.390"},
    };
}

TEST(StoredValues, TheListHoldsWhatReopeningReads) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("p.PD");
        WriteCollectorProject(path, c.points);
        SilentReporter silent;
        Project project(silent);
        ASSERT_TRUE(IsOk(project.Open(path)));
        c.run(project);
        ASSERT_TRUE(IsOk(project.Save()));
        EXPECT_EQ(text::Format("%.3f", Named(project, c.point).*c.value), c.shown);

        Project reopened(silent);
        ASSERT_TRUE(IsOk(reopened.Open(path)));
        ASSERT_EQ(reopened.Points().size(), project.Points().size());
        for (std::size_t i = 0; i < project.Points().size(); ++i) {
            EXPECT_EQ(Shown(project.Points()[i]), Shown(reopened.Points()[i]));
            EXPECT_EQ(Exact(project.Points()[i]), Exact(reopened.Points()[i]));
        }
    }
}

}  // namespace
}  // namespace linvara::testing
