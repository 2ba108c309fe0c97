// The plan view driven through its events and commands, with a fake window
// around it; deleting also goes through a real project file.
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "db/project_database.h"
#include "model/stake_sequence.h"
#include "support/collector_fixture.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "views/plan_view.h"

using namespace linvara::gui;

namespace {

linvara::DHPoint MakePoint(const char* name, int kind, double north, double east) {
    linvara::DHPoint p;
    p.NewPtName = name;
    p.OrgPtName = name;
    p.GPS_ID = std::string("id-") + name;
    p.DHType = kind;
    p.Dx = north;
    p.Dy = east;
    return p;
}

// A J stake, a Z stake, an auxiliary point and another J stake.
linvara::DHPointList SmallRoute() {
    linvara::DHPointList list{MakePoint("J1", 0, 1000, 1000), MakePoint("Z1", 1, 1100, 1200),
                              MakePoint("F1", 2, 1050, 1100), MakePoint("J2", 0, 1200, 1300)};
    linvara::ReindexOrder(list);
    return list;
}

class FakeHost : public PlanViewHost {
public:
    linvara::DHPointList list = SmallRoute();
    bool hasProject = true;
    ViewMode mode = ViewMode::AllPoints;
    bool answer = true;
    PlanView* view = nullptr;
    linvara::CProjectDatabase* database = nullptr;

    double north = 0, east = 0;
    std::vector<int> editedRows;
    std::vector<std::string> deleted, appointed;
    QStringList questions;

    void SetCoordinateText(double n, double e) override {
        north = n;
        east = e;
    }
    ViewMode CurrentViewMode() const override { return mode; }
    const linvara::DHPointList* CurrentList() const override { return hasProject ? &list : nullptr; }
    void EditPointAt(int row) override {
        editedRows.push_back(row);
        UpdateAllViews(UpdateHint::ListChanged);
    }
    void DeletePointsByGpsId(const std::vector<std::string>& ids) override {
        deleted = ids;
        for (const auto& id : ids) {
            const int index = linvara::FindIndexByGpsId(list, id);
            if (index < 0) continue;
            if (database) database->DeletePoint(list[static_cast<size_t>(index)].ID);
            linvara::DeleteByGpsId(list, id);
        }
        linvara::ReindexOrder(list);
        UpdateAllViews(UpdateHint::ListChanged);
    }
    void AppointJStakesFor(const std::vector<std::string>& ids) override { appointed = ids; }
    void UpdateAllViews(UpdateHint hint) override {
        if (view) view->OnUpdate(hint);
    }
    bool ConfirmOkCancel(const QString& text) override {
        questions << text;
        return answer;
    }
};

// Records the point menu instead of opening it.
class MenuRecordingView : public PlanView {
public:
    using PlanView::PlanView;
    int menus = 0;

protected:
    void ShowPointMenu(const QPoint&) override { ++menus; }
};

// A shown 400 x 300 view fitted to the host's list, in `tool`.
template <typename View = PlanView>
std::unique_ptr<View> OpenView(FakeHost& host, PlotCanvas::ToolMode tool = PlotCanvas::PickTool) {
    auto view = std::make_unique<View>(host);
    host.view = view.get();
    view->resize(400, 300);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) return nullptr;
    view->SetList(host.mode, host.list);
    view->OnUpdate(UpdateHint::ProjectLoaded);
    if (tool == PlotCanvas::PickTool) view->OnPickTool();
    if (tool == PlotCanvas::ZoomWindowTool) view->OnZoomWindow();
    return view;
}

QPoint PixelOf(const PlanView& view, const linvara::DHPoint& p) {
    const ScreenPoint s = view.Canvas().Geometry().WorldToScreen(p.Dx, p.Dy);
    return {s.x, s.y};
}

std::vector<std::string> Picked(const PlanView& view) { return view.Canvas().PickedGpsIds(); }

void Wheel(QWidget& widget, int delta) {
    const QPointF pos(200, 150);
    QWheelEvent event(pos, widget.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

class PlanViewTest : public QObject {
    Q_OBJECT
private slots:
    void clickPicksInAnyTool_data();
    void clickPicksInAnyTool();
    void pickDragEitherWay_data();
    void pickDragEitherWay();
    void rightDoubleClickTogglesPanAndPick();
    void rightClickOpensPointMenu();
    void zoomWindowCommandReturnsToTool();
    void deletePicked();
    void deletePickedFromProjectFile();
    void editFirstPicked();
    void appointPicked();
    void statusTextUnderCursor();
    void resizeKeepsCentre();
    void wheelZoom();
};

void PlanViewTest::clickPicksInAnyTool_data() {
    QTest::addColumn<PlotCanvas::ToolMode>("tool");
    QTest::newRow("pick") << PlotCanvas::PickTool;
    QTest::newRow("pan") << PlotCanvas::PanTool;
}

void PlanViewTest::clickPicksInAnyTool() {
    QFETCH(PlotCanvas::ToolMode, tool);
    FakeHost host;
    auto view = OpenView(host, tool);
    QVERIFY(view);
    const QPoint f1 = PixelOf(*view, host.list[2]);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, f1 + QPoint(12, -15));
    QCOMPARE(Picked(*view), std::vector<std::string>{"id-F1"});
    QCOMPARE(view->ToolMode(), tool);
    // A click on empty ground clears the pick.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, f1 + QPoint(0, 60));
    QVERIFY(Picked(*view).empty());
}

void PlanViewTest::pickDragEitherWay_data() {
    QTest::addColumn<bool>("backwards");
    QTest::newRow("top-left to bottom-right") << false;
    QTest::newRow("bottom-right to top-left") << true;
}

void PlanViewTest::pickDragEitherWay() {
    QFETCH(bool, backwards);
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    // A box around F1 and Z1, away from both J stakes.
    const QPoint z1 = PixelOf(*view, host.list[1]);
    const QPoint f1 = PixelOf(*view, host.list[2]);
    QPoint from(std::min(z1.x(), f1.x()) - 5, std::min(z1.y(), f1.y()) - 5);
    QPoint to(std::max(z1.x(), f1.x()) + 5, std::max(z1.y(), f1.y()) + 5);
    if (backwards) std::swap(from, to);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    const QPoint middle = (from + to) / 2;
    QTest::mouseMove(view.get(), middle);
    QVERIFY(view->PickDrag());
    QCOMPARE(view->Canvas().Corner(), (ScreenPoint{middle.x(), middle.y()}));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);
    QVERIFY(!view->PickDrag());
    QCOMPARE(Picked(*view), (std::vector<std::string>{"id-Z1", "id-F1"}));
}

void PlanViewTest::rightDoubleClickTogglesPanAndPick() {
    FakeHost host;
    auto view = OpenView<MenuRecordingView>(host, PlotCanvas::PanTool);
    QVERIFY(view);
    QSignalSpy spy(view.get(), &PlanView::toolModeChanged);
    // As a mouse sends it: a click, then the double click.
    auto rightDoubleClick = [&view] {
        QTest::mouseClick(view.get(), Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseDClick(view.get(), Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseRelease(view.get(), Qt::RightButton, {}, QPoint(100, 100));
    };
    rightDoubleClick();
    QCOMPARE(view->ToolMode(), PlotCanvas::PickTool);
    rightDoubleClick();
    QCOMPARE(view->ToolMode(), PlotCanvas::PanTool);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), PlotCanvas::PanTool);
    // The double click in pick mode does not also open the menu.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QCOMPARE(view->menus, 0);
    // In zoom-window mode it does nothing.
    view->OnZoomWindow();
    rightDoubleClick();
    QCOMPARE(view->ToolMode(), PlotCanvas::ZoomWindowTool);
}

void PlanViewTest::rightClickOpensPointMenu() {
    FakeHost host;
    auto view = OpenView<MenuRecordingView>(host);
    QVERIFY(view);
    QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(100, 100));
    QCOMPARE(view->Canvas().ButtonDown(), PlotCanvas::RightButton);
    QTRY_COMPARE(view->menus, 1);
    QTest::mouseRelease(view.get(), Qt::RightButton, {}, QPoint(100, 100));
    QCOMPARE(view->Canvas().ButtonDown(), PlotCanvas::NoButton);
    // Outside pick mode there is no menu.
    view->OnPanTool();
    QTest::mouseClick(view.get(), Qt::RightButton, {}, QPoint(100, 100));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QCOMPARE(view->menus, 1);
}

void PlanViewTest::zoomWindowCommandReturnsToTool() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    QSignalSpy spy(view.get(), &PlanView::toolModeChanged);
    view->OnZoomWindow();
    QCOMPARE(view->ToolMode(), PlotCanvas::ZoomWindowTool);
    // A dragged window zooms in on it.
    const double before = view->Canvas().Geometry().Resolution();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view.get(), QPoint(150, 130));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(200, 160));
    QCOMPARE(view->Canvas().Geometry().Resolution(), before * 0.25 / 0.8);
    view->OnZoomWindow();
    QCOMPARE(view->ToolMode(), PlotCanvas::PickTool);
    QCOMPARE(spy.size(), 2);
}

void PlanViewTest::deletePicked() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    view->OnDeletePicked();  // nothing picked: no question
    QVERIFY(host.questions.isEmpty());
    view->Canvas().PickInRect({0, 0, 400, 300});
    host.answer = false;
    view->OnDeletePicked();
    QCOMPARE(host.questions, QStringList{"确定删除？"});
    QVERIFY(host.deleted.empty());
    host.answer = true;
    view->OnDeletePicked();
    QCOMPARE(host.deleted, (std::vector<std::string>{"id-J1", "id-Z1", "id-F1", "id-J2"}));
    QVERIFY(host.list.empty());
    QVERIFY(view->Canvas().Points().empty());
}

void PlanViewTest::deletePickedFromProjectFile() {
    linvara::testing::TempDir dir;
    const std::string path = dir.File("route.PD");
    std::vector<linvara::testing::CollectorPoint> survey;
    const struct {
        const char* name;
        int type;
        double north, east;
    } rows[] = {{"J1", 0, 1000, 1000}, {"Z1", 1, 1100, 1200}, {"F1", 2, 1050, 1100}, {"J2", 0, 1200, 1300}};
    for (const auto& r : rows) {
        linvara::testing::CollectorPoint p;
        p.gpsId = std::string("g") + r.name;
        p.name = r.name;
        p.type = r.type;
        p.north = r.north;
        p.east = r.east;
        survey.push_back(p);
    }
    linvara::testing::WriteCollectorProject(path, survey);
    linvara::testing::RecordingReporter reporter;
    linvara::CProjectDatabase database(reporter);
    QVERIFY(database.OpenProject(path));

    FakeHost host;
    host.list = database.ReadStakeList();
    QCOMPARE(host.list.size(), size_t(4));
    host.database = &database;
    auto view = OpenView(host);
    QVERIFY(view);
    // Pick Z1 and F1 with a box and delete them from the menu.
    const QPoint z1 = PixelOf(*view, host.list[1]);
    const QPoint f1 = PixelOf(*view, host.list[2]);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(std::max(z1.x(), f1.x()) + 4, std::max(z1.y(), f1.y()) + 4));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(std::min(z1.x(), f1.x()) - 4, std::min(z1.y(), f1.y()) - 4));
    QCOMPARE(Picked(*view).size(), size_t(2));
    view->OnDeletePicked();

    auto names = [](const linvara::DHPointList& list) {
        QStringList out;
        for (const auto& p : list) out << QString::fromStdString(p.NewPtName);
        return out;
    };
    const QStringList left{"J1", "J2"};
    QCOMPARE(names(host.list), left);
    QCOMPARE(names(view->Canvas().Points()), left);
    QCOMPARE(names(database.ReadStakeList()), left);
}

void PlanViewTest::editFirstPicked() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    view->OnEditPicked();  // nothing picked: nothing edited
    QVERIFY(host.editedRows.empty());
    view->Canvas().PickInRect({0, 0, 400, 300});
    view->OnEditPicked();
    QCOMPARE(host.editedRows, std::vector<int>{0});
    // In J-stake mode the view shows only J stakes; J2 is still named by its
    // place in the working list.
    host.mode = ViewMode::JStakes;
    host.UpdateAllViews(UpdateHint::ListChanged);
    QCOMPARE(view->Canvas().Points().size(), size_t(2));
    const QPoint j2 = PixelOf(*view, host.list[3]);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, j2);
    QTest::mouseDClick(view.get(), Qt::LeftButton, {}, j2);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, j2);
    QCOMPARE(host.editedRows, (std::vector<int>{0, 3}));
}

void PlanViewTest::appointPicked() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, PixelOf(*view, host.list[1]));
    view->OnAppointPicked();
    QCOMPARE(host.appointed, std::vector<std::string>{"id-Z1"});
    host.appointed.clear();
    host.hasProject = false;
    view->OnAppointPicked();
    QVERIFY(host.appointed.empty());
}

void PlanViewTest::statusTextUnderCursor() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    // Fitted: centre (N 1100, E 1150) at pixel (200, 150), 0.9375 m a pixel.
    QCOMPARE(view->Canvas().Geometry().Resolution(), 93.75);
    QTest::mouseMove(view.get(), QPoint(200, 150));
    QCOMPARE(host.north, 1100.0);
    QCOMPARE(host.east, 1150.0);
    // The J-stake mode shows the world position as well.
    host.mode = ViewMode::JStakes;
    host.UpdateAllViews(UpdateHint::ListChanged);
    QTest::mouseMove(view.get(), QPoint(300, 50));
    QCOMPARE(host.north, 1100.0 + 93.75);
    QCOMPARE(host.east, 1150.0 + 93.75);
}

void PlanViewTest::resizeKeepsCentre() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    view->OnPanTool();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(view.get(), QPoint(240, 170));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(250, 170));
    const double north = view->Canvas().Geometry().CentreNorth();
    const double east = view->Canvas().Geometry().CentreEast();
    QCOMPARE(east, 1150.0 - 50 * 0.9375);
    QCOMPARE(north, 1100.0 + 20 * 0.9375);
    view->resize(800, 300);
    QCOMPARE(view->Canvas().Geometry().CentreNorth(), north);
    QCOMPARE(view->Canvas().Geometry().CentreEast(), east);
    QCOMPARE(view->Canvas().Geometry().Resolution(), 200.0 / 300 * 100 / 0.8);  // refitted to the height
}

void PlanViewTest::wheelZoom() {
    FakeHost host;
    auto view = OpenView(host);
    QVERIFY(view);
    const double r = view->Canvas().Geometry().Resolution();
    Wheel(*view, -120);  // towards the user
    QCOMPARE(view->Canvas().Geometry().Resolution(), r * 1.1);
    Wheel(*view, 120);
    Wheel(*view, 120);
    QCOMPARE(view->Canvas().Geometry().Resolution(), r * 1.1 / 1.1 / 1.1);
    Wheel(*view, 0);  // an empty touchpad event
    QCOMPARE(view->Canvas().Geometry().Resolution(), r * 1.1 / 1.1 / 1.1);
}

QTEST_MAIN(PlanViewTest)
#include "plan_view_test.moc"
