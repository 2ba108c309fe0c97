// The plan view driven through its events and commands over a document
// holding a real project file; its requests are recorded, deleting also goes
// through to the file.
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "app/project_document.h"
#include "gui_test_support.h"
#include "model/stake_sequence.h"
#include "views/plan_view.h"

using namespace linvara::gui;
using namespace linvara::gui::testing;

namespace {

// J1, Z1, F1 and J2 in a project file opened by a document, and what the
// plan view over it asks for.
struct Route {
    linvara::testing::TempDir dir;
    FakeUi ui;
    linvara::SilentReporter reporter;
    ProjectDocument document{ui, reporter};
    double north = 0, east = 0;
    std::vector<std::string> edited, deleted, appointed;
    QStringList prompts;

    Route() {
        const std::string path = dir.File("route.PD");
        linvara::testing::WriteCollectorProject(
            path, {linvara::testing::Surveyed("J1", "J1", 0, 1000, 1000), linvara::testing::Surveyed("Z1", "Z1", 1, 1100, 1200),
                   linvara::testing::Surveyed("F1", "F1", 2, 1050, 1100), linvara::testing::Surveyed("J2", "J2", 0, 1200, 1300)});
        document.Open(QString::fromStdString(path));
    }
    const linvara::DHPoint& At(int i) const { return document.Points()[static_cast<size_t>(i)]; }
    std::string Id(int i) const { return At(i).GPS_ID; }
    void Watch(PlanView& view) {
        QObject::connect(&view, &PlanView::cursorMoved, [this](double n, double e) {
            north = n;
            east = e;
        });
        QObject::connect(&view, &PlanView::editRequested, [this](const std::string& id) { edited.push_back(id); });
        QObject::connect(&view, &PlanView::deleteRequested,
                         [this](const std::vector<std::string>& ids, const QString& prompt) {
                             deleted = ids;
                             prompts << prompt;
                         });
        QObject::connect(&view, &PlanView::appointRequested,
                         [this](const std::vector<std::string>& ids) { appointed = ids; });
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

// A shown 400 x 300 view fitted to the route, in `tool`.
template <typename View = PlanView>
std::unique_ptr<View> OpenView(Route& route, PlotCanvas::ToolMode tool = PlotCanvas::PickTool) {
    auto view = std::make_unique<View>(route.document);
    route.Watch(*view);
    view->resize(400, 300);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) return nullptr;
    route.document.SetViewMode(ViewMode::AllPoints);
    view->OnCenter();
    if (tool == PlotCanvas::PickTool) view->OnPickTool();
    if (tool == PlotCanvas::ZoomWindowTool) view->OnZoomWindow();
    return view;
}

QPoint PixelOf(const PlanView& view, const linvara::DHPoint& p) {
    const ScreenPoint s = view.Canvas().Geometry().WorldToScreen(p.Dx, p.Dy);
    return {s.x, s.y};
}

std::vector<std::string> Picked(const PlanView& view) { return view.Canvas().PickedGpsIds(); }

void Wheel(QWidget& widget, int delta, const QPointF& pos = QPointF(200, 150)) {
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
    void followsTheDocument();
    void followsPointByPoint();
    void statusTextUnderCursor();
    void resizeKeepsCentre();
    void wheelZoom();
    void wheelZoomKeepsThePointUnderTheCursor_data();
    void wheelZoomKeepsThePointUnderTheCursor();
    void middleButtonAndKeysNavigate();
    void centerOnPoint();
};

void PlanViewTest::clickPicksInAnyTool_data() {
    QTest::addColumn<PlotCanvas::ToolMode>("tool");
    QTest::newRow("pick") << PlotCanvas::PickTool;
    QTest::newRow("pan") << PlotCanvas::PanTool;
}

void PlanViewTest::clickPicksInAnyTool() {
    QFETCH(PlotCanvas::ToolMode, tool);
    Route host;
    auto view = OpenView(host, tool);
    QVERIFY(view);
    const QPoint f1 = PixelOf(*view, host.At(2));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, f1 + QPoint(12, -15));
    QCOMPARE(Picked(*view), std::vector<std::string>{host.Id(2)});
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
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    // A box around F1 and Z1, away from both J stakes.
    const QPoint z1 = PixelOf(*view, host.At(1));
    const QPoint f1 = PixelOf(*view, host.At(2));
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
    QCOMPARE(Picked(*view), (std::vector<std::string>{host.Id(1), host.Id(2)}));
}

void PlanViewTest::rightDoubleClickTogglesPanAndPick() {
    Route host;
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
    Route host;
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
    Route host;
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
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    view->OnDeletePicked();  // nothing picked: no request
    QVERIFY(host.prompts.isEmpty());
    view->Canvas().PickInRect({0, 0, 400, 300});
    view->OnDeletePicked();
    QCOMPARE(host.prompts, QStringList{"确定删除？"});
    QCOMPARE(host.deleted, (std::vector<std::string>{host.Id(0), host.Id(1), host.Id(2), host.Id(3)}));
}

// Picked with a box, deleted through the document: the file, the document
// and the drawing lose the same points.
void PlanViewTest::deletePickedFromProjectFile() {
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    QObject::connect(view.get(), &PlanView::deleteRequested, &host.document,
                     [&host](const std::vector<std::string>& ids) { host.document.DeletePoints(ids); });
    const QPoint z1 = PixelOf(*view, host.At(1));
    const QPoint f1 = PixelOf(*view, host.At(2));
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(std::max(z1.x(), f1.x()) + 4, std::max(z1.y(), f1.y()) + 4));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(std::min(z1.x(), f1.x()) - 4, std::min(z1.y(), f1.y()) - 4));
    QCOMPARE(Picked(*view).size(), size_t(2));
    view->OnDeletePicked();

    const std::vector<std::string> left{"J1", "J2"};
    QCOMPARE(Names(host.document.Points()), left);
    QCOMPARE(Names(view->Canvas().Points()), left);
    QCOMPARE(Names(ReadBack(host.document.Path().toStdString())), left);
}

void PlanViewTest::editFirstPicked() {
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    view->OnEditPicked();  // nothing picked: nothing edited
    QVERIFY(host.edited.empty());
    view->Canvas().PickInRect({0, 0, 400, 300});
    view->OnEditPicked();
    QCOMPARE(host.edited, std::vector<std::string>{host.Id(0)});
    // In J-stake mode the view draws only J stakes; J2 is still named by its
    // identity, not by its place in what is drawn.
    host.document.SetViewMode(ViewMode::JStakes);
    QCOMPARE(view->Canvas().Points().size(), size_t(2));
    const QPoint j2 = PixelOf(*view, host.At(3));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, j2);
    QTest::mouseDClick(view.get(), Qt::LeftButton, {}, j2);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, j2);
    QCOMPARE(host.edited, (std::vector<std::string>{host.Id(0), host.Id(3)}));
}

void PlanViewTest::appointPicked() {
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    view->OnAppointPicked();  // nothing picked: no request
    QVERIFY(host.appointed.empty());
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, PixelOf(*view, host.At(1)));
    view->OnAppointPicked();
    QCOMPARE(host.appointed, std::vector<std::string>{host.Id(1)});
}

// The document's changes reach the drawing: one point edited in place, the
// list reordered, the project closed.
void PlanViewTest::followsTheDocument() {
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    linvara::DHPoint renamed = host.At(2);
    renamed.NewPtName = "F9";
    QVERIFY(host.document.EditPoint(renamed));
    QCOMPARE(view->Canvas().Points()[2].NewPtName, std::string("F9"));
    host.document.SetViewMode(ViewMode::ZStakes);
    QCOMPARE(Names(view->Canvas().Points()), std::vector<std::string>{"Z1"});
    host.document.SetViewMode(ViewMode::JStakes);
    QCOMPARE(host.document.MoveJStake(linvara::JMove::Down, 0), 1);
    QCOMPARE(Names(view->Canvas().Points()), (std::vector<std::string>{"J2", "J1"}));
    host.document.Close();
    QVERIFY(view->Canvas().Points().empty());
}

// Points added, deleted and edited reach the drawing one by one: it shows
// the document's points throughout, and what is picked stays picked.
void PlanViewTest::followsPointByPoint() {
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, PixelOf(*view, host.At(0)));
    const std::vector<std::string> picked{host.Id(0)};
    QCOMPARE(Picked(*view), picked);
    const auto same = [&] {
        QCOMPARE(Names(view->Canvas().Points()), Names(host.document.Points()));
        for (std::size_t i = 0; i < host.document.Points().size(); ++i)
            QCOMPARE(view->Canvas().Points()[i].GPS_ID, host.document.Points()[i].GPS_ID);
        QCOMPARE(Picked(*view), picked);
    };
    QVERIFY(host.document.DeletePoints({host.Id(1), host.Id(3)}));
    same();
    linvara::DHPoint added = host.At(1);
    added.GPS_ID = "new";
    added.NewPtName = added.OrgPtName = "N1";
    QVERIFY(host.document.AddPoint(added, 1));
    same();
    QCOMPARE(view->Canvas().Points()[1].NewPtName, std::string("N1"));
    host.document.History().undo();  // the add
    same();
    host.document.History().undo();  // the delete: Z1 and J2 back in place
    same();
    QCOMPARE(Names(view->Canvas().Points()), (std::vector<std::string>{"J1", "Z1", "F1", "J2"}));
    linvara::DHPoint moved = host.At(2);
    moved.Dx += 10;
    QVERIFY(host.document.EditPoint(moved));
    same();
    QCOMPARE(view->Canvas().Points()[2].Dx, moved.Dx);
    // In J-stake mode a point that becomes a J stake joins the drawing.
    host.document.SetViewMode(ViewMode::JStakes);
    moved.DHType = 0;
    QVERIFY(host.document.EditPoint(moved));
    QCOMPARE(Names(view->Canvas().Points()), (std::vector<std::string>{"J1", "F1", "J2"}));
}

void PlanViewTest::statusTextUnderCursor() {
    Route host;
    auto view = OpenView(host);
    QVERIFY(view);
    // Fitted: centre (N 1100, E 1150) at pixel (200, 150), 0.9375 m a pixel.
    QCOMPARE(view->Canvas().Geometry().Resolution(), 93.75);
    // Through the window: without a button held, QTest moves the system's
    // cursor, whose event Windows delivers later.
    QTest::mouseMove(view->windowHandle(), QPoint(200, 150));
    QCOMPARE(host.north, 1100.0);
    QCOMPARE(host.east, 1150.0);
    // The J-stake mode shows the world position as well.
    host.document.SetViewMode(ViewMode::JStakes);
    QTest::mouseMove(view->windowHandle(), QPoint(300, 50));
    QCOMPARE(host.north, 1100.0 + 93.75);
    QCOMPARE(host.east, 1150.0 + 93.75);
}

void PlanViewTest::resizeKeepsCentre() {
    Route host;
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
    Route host;
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

void PlanViewTest::wheelZoomKeepsThePointUnderTheCursor_data() {
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("steps");
    QTest::newRow("in, top left") << QPoint(30, 20) << 120 << 5;
    QTest::newRow("out, bottom right") << QPoint(390, 290) << -120 << 5;
    QTest::newRow("in, off centre, many") << QPoint(123, 217) << 120 << 40;
    QTest::newRow("at the centre") << QPoint(200, 150) << 120 << 3;
}

void PlanViewTest::wheelZoomKeepsThePointUnderTheCursor() {
    QFETCH(QPoint, cursor);
    QFETCH(int, delta);
    QFETCH(int, steps);
    Route host;
    auto view = OpenView(host, PlotCanvas::PanTool);
    QVERIFY(view);
    const PlotGeometry& geometry = view->Canvas().Geometry();
    const WorldPoint before = geometry.ScreenToWorld(cursor.x(), cursor.y());
    const double r = geometry.Resolution();
    for (int i = 0; i < steps; ++i) Wheel(*view, delta, cursor);
    QVERIFY(geometry.Resolution() != r);
    const WorldPoint after = geometry.ScreenToWorld(cursor.x(), cursor.y());
    QVERIFY2(std::abs(after.north - before.north) < 1e-6 && std::abs(after.east - before.east) < 1e-6,
             qPrintable(QStringLiteral("%1 %2 -> %3 %4").arg(before.north).arg(before.east).arg(after.north).arg(after.east)));
    // And it is drawn on the cursor's pixel.
    const ScreenPoint s = geometry.WorldToScreen(before.north, before.east);
    QVERIFY(std::abs(s.x - cursor.x()) <= 1 && std::abs(s.y - cursor.y()) <= 1);
}

void PlanViewTest::middleButtonAndKeysNavigate() {
    Route host;
    auto view = OpenView(host, PlotCanvas::PickTool);
    QVERIFY(view);
    const PlotGeometry& geometry = view->Canvas().Geometry();
    const double r = geometry.Resolution();
    const double north = geometry.CentreNorth(), east = geometry.CentreEast();
    // A middle drag pans in the pick tool too and picks nothing.
    QTest::mousePress(view.get(), Qt::MiddleButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(140, 70), view->mapToGlobal(QPointF(140, 70)), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &move);
    QTest::mouseRelease(view.get(), Qt::MiddleButton, {}, QPoint(140, 70));
    QCOMPARE(geometry.CentreEast(), east - 40 * r / 100);
    QCOMPARE(geometry.CentreNorth(), north - 30 * r / 100);
    QVERIFY(Picked(*view).empty());
    QCOMPARE(view->ToolMode(), PlotCanvas::PickTool);

    struct Key {
        Qt::Key key;
        double dEast, dNorth, zoom;
    };
    // A 400 x 300 view pans 50 and 37 pixels.
    for (const Key& k : {Key{Qt::Key_Left, -50, 0, 1}, Key{Qt::Key_Right, 50, 0, 1}, Key{Qt::Key_Up, 0, 37, 1},
                         Key{Qt::Key_Down, 0, -37, 1}, Key{Qt::Key_Plus, 0, 0, 1 / 1.1}, Key{Qt::Key_Minus, 0, 0, 1.1}}) {
        const double e = geometry.CentreEast(), n = geometry.CentreNorth(), res = geometry.Resolution();
        QTest::keyClick(view.get(), k.key);
        QVERIFY(std::abs(geometry.CentreEast() - (e + k.dEast * res / 100)) < 1e-9);
        QVERIFY(std::abs(geometry.CentreNorth() - (n + k.dNorth * res / 100)) < 1e-9);
        QVERIFY(std::abs(geometry.Resolution() - res * k.zoom) < 1e-9);
    }
    // Each step is a view of the history.
    QVERIFY(view->Canvas().Geometry().CurrentView() >= 6);
}

void PlanViewTest::centerOnPoint() {
    Route host;
    auto view = OpenView(host, PlotCanvas::PanTool);
    QVERIFY(view);
    QVERIFY(view->CenterOnGpsId(host.Id(1)));  // Z1 at 1100 N, 1200 E
    const PlotGeometry& geometry = view->Canvas().Geometry();
    QCOMPARE(geometry.CentreNorth(), host.At(1).Dx);
    QCOMPARE(geometry.CentreEast(), host.At(1).Dy);
    QCOMPARE(geometry.Resolution(), PlanView::kFocusResolution);
    // A closer view stays as close.
    for (int i = 0; i < 30; ++i) view->OnZoomIn();
    const double close = geometry.Resolution();
    view->CenterOnPoint(1000, 1000);
    QCOMPARE(geometry.Resolution(), close);
    QCOMPARE(geometry.CentreNorth(), 1000.0);
    QVERIFY(!view->CenterOnGpsId("no such point"));
}

QTEST_MAIN(PlanViewTest)
#include "plan_view_test.moc"
