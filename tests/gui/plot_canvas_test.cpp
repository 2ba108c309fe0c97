// The plan canvas without pixels: transform, zoom bounds, grid step, picking,
// view history and drag handling; one small paint checks the colours.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

#include "plan/plot_canvas.h"

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

// 1000 x 800 px, centred on (N 5000, E 2000), 100 m per 100 px: one metre a pixel.
PlotGeometry MetreGeometry() {
    PlotGeometry g;
    g.SetClientRect({0, 0, 1000, 800});
    g.SetCentre(5000, 2000);
    g.SetResolution(100);
    return g;
}

bool InSeries(int step) {
    while (step >= 10 && step % 10 == 0) step /= 10;
    return step == 1 || step == 2 || step == 5;
}

}  // namespace

class PlotCanvasTest : public QObject {
    Q_OBJECT
private slots:
    void transform_data();
    void transform();
    void zoomBounds();
    void zoomWindow_data();
    void zoomWindow();
    void gridStepAtResolution1000_data();
    void gridStepAtResolution1000();
    void gridStepStaysInBand();
    void gridLines();
    void fitToData();
    void pickWithinClickSquare();
    void pickRectangleEitherWay();
    void history();
    void dragPansAndRecords();
    void drawColoursByKind();
    void labelsDoNotOverlap();
    void stakeLabelWinsOverDetailLabel();
    void jStakeDrawnOverDetailPoints();
};

void PlotCanvasTest::transform_data() {
    QTest::addColumn<PlotRect>("rect");
    QTest::addColumn<double>("north");
    QTest::addColumn<double>("east");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("centre") << PlotRect{0, 0, 1000, 800} << 5000.0 << 2000.0 << 500 << 400;
    QTest::newRow("north-east") << PlotRect{0, 0, 1000, 800} << 5100.0 << 2250.0 << 750 << 300;
    QTest::newRow("south-west") << PlotRect{0, 0, 1000, 800} << 4900.0 << 1750.0 << 250 << 500;
    // Offsets are truncated towards zero on both sides of the centre.
    QTest::newRow("truncate +") << PlotRect{0, 0, 1000, 800} << 5000.7 << 2000.7 << 500 << 400;
    QTest::newRow("truncate -") << PlotRect{0, 0, 1000, 800} << 4999.3 << 1999.3 << 500 << 400;
    // Odd sizes: the centre pixel is the integer half.
    QTest::newRow("odd size") << PlotRect{0, 0, 999, 799} << 5010.0 << 2010.0 << 509 << 389;
    QTest::newRow("offset rect") << PlotRect{100, 50, 1100, 850} << 5000.0 << 2000.0 << 600 << 450;
}

void PlotCanvasTest::transform() {
    QFETCH(PlotRect, rect);
    QFETCH(double, north);
    QFETCH(double, east);
    QFETCH(int, x);
    QFETCH(int, y);
    PlotGeometry g = MetreGeometry();
    g.SetClientRect(rect);
    const ScreenPoint s = g.WorldToScreen(north, east);
    QCOMPARE(s.x, x);
    QCOMPARE(s.y, y);
    // Back from the pixel: the world position of that pixel's corner.
    const WorldPoint w = g.ScreenToWorld(x, y);
    QCOMPARE(w.north, 5000.0 + (g.CentreY() - y));
    QCOMPARE(w.east, 2000.0 + (x - g.CentreX()));
    QVERIFY(std::abs(w.north - north) < 1.0 && std::abs(w.east - east) < 1.0);
}

void PlotCanvasTest::zoomBounds() {
    PlotGeometry g = MetreGeometry();
    for (int i = 0; i < 200; ++i) g.ZoomIn();
    QCOMPARE(g.Resolution(), 0.6);
    g.ZoomOut();
    QCOMPARE(g.Resolution(), 0.6 * 1.1);
    for (int i = 0; i < 300; ++i) g.ZoomOut();
    QCOMPARE(g.Resolution(), 500000.0);
    // Closer than the zoom-in bound (after a zoom window): zooming in keeps it
    // rather than jumping out to 0.6.
    g.SetResolution(0.5);
    g.ZoomIn();
    QCOMPARE(g.Resolution(), 0.5);
    // Wider than the zoom-out bound (a fitted huge extent): zooming out keeps it.
    g.SetResolution(800000);
    g.ZoomOut();
    QCOMPARE(g.Resolution(), 800000.0);
}

void PlotCanvasTest::zoomWindow_data() {
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("y1");
    QTest::addColumn<int>("x2");
    QTest::addColumn<int>("y2");
    QTest::addColumn<double>("north");
    QTest::addColumn<double>("east");
    QTest::addColumn<double>("resolution");
    // 200 x 160 px of a 1000 x 800 window: a fifth, shown at 80 %.
    QTest::newRow("down-right") << 100 << 100 << 300 << 260 << 5000.0 + 220 << 2000.0 - 300 << 25.0;
    QTest::newRow("wider than high") << 100 << 100 << 600 << 120 << 5000.0 + 290 << 2000.0 - 150 << 62.5;
    // Dragged backwards the ratio turns negative: the lower bound applies.
    QTest::newRow("up-left") << 300 << 260 << 100 << 100 << 5000.0 + 220 << 2000.0 - 300 << 0.5;
    QTest::newRow("click") << 700 << 400 << 700 << 400 << 5000.0 << 2000.0 + 200 << 0.5;
}

void PlotCanvasTest::zoomWindow() {
    QFETCH(int, x1);
    QFETCH(int, y1);
    QFETCH(int, x2);
    QFETCH(int, y2);
    QFETCH(double, north);
    QFETCH(double, east);
    QFETCH(double, resolution);
    PlotGeometry g = MetreGeometry();
    g.ZoomToRect(x1, y1, x2, y2);
    QCOMPARE(g.CentreNorth(), north);
    QCOMPARE(g.CentreEast(), east);
    QCOMPARE(g.Resolution(), resolution);
    QCOMPARE(g.History().size(), size_t(1));
}

void PlotCanvasTest::gridStepAtResolution1000_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("step");
    // 10 km across; 8 km high gives 1000 m at once (100 px apart).
    QTest::newRow("1000x800") << 800 << 1000;
    // 10 km high too: 10000 is 1000 px apart, back to 5000 (500 px), then 2000 (200 px).
    QTest::newRow("1000x1000") << 1000 << 2000;
}

void PlotCanvasTest::gridStepAtResolution1000() {
    QFETCH(int, height);
    QFETCH(int, step);
    PlotGeometry g;
    g.SetClientRect({0, 0, 1000, height});
    g.SetResolution(1000);
    QCOMPARE(g.UpdateGridStep(), step);
    const double spacing = 1000.0 * step / 10000.0;
    QVERIFY(spacing >= 1000.0 / 12 && spacing <= 1000.0 / 4);
}

void PlotCanvasTest::gridStepStaysInBand() {
    // Across the zoom range the step stays on the series 1, 2, 5, 10 ... and
    // its spacing lies in the band, except where whole metres cannot reach it.
    for (double r = 0.5; r <= 500000; r *= 1.37) {
        for (int width : {300, 1000, 1920}) {
            const int step = PlotGeometry::GridStepFor(width * 0.6 * r / 100, width * r / 100, width);
            QVERIFY2(step >= 1 && InSeries(step), qPrintable(QString("r=%1 w=%2 step=%3").arg(r).arg(width).arg(step)));
            const double spacing = width * static_cast<double>(step) / (width * r / 100);
            if (step > 1) QVERIFY(spacing >= width / 12.0 - 1e-9);
            QVERIFY(spacing <= width / 4.0 + 1e-9 || step == 1);
        }
    }
}

void PlotCanvasTest::gridLines() {
    PlotGeometry g;
    g.SetClientRect({0, 0, 1000, 800});
    g.SetCentre(0, 0);
    g.SetResolution(100);  // 1000 m by 800 m: step 100
    QCOMPARE(g.UpdateGridStep(), 100);
    const GridLayout grid = g.Grid();
    QCOMPARE(grid.eastLines.size(), size_t(11));   // -500 ... 500
    QCOMPARE(grid.northLines.size(), size_t(9));   // -400 ... 400
    QCOMPARE(grid.eastLines.front().value, -500.0);
    QCOMPARE(grid.eastLines.front().pixel, 0);
    QCOMPARE(grid.northLines.back().pixel, 0);  // 400 m at the top edge
    for (const auto& line : grid.eastLines)
        if (line.value == 0) QVERIFY(!std::signbit(line.value));  // never printed "-0"
}

void PlotCanvasTest::fitToData() {
    PlotCanvas canvas;
    canvas.SetClientRect({0, 0, 1000, 800});
    canvas.FitToData(true, true);  // no points: nothing, nothing recorded
    QCOMPARE(canvas.Geometry().History().size(), size_t(0));
    canvas.SetData(ViewMode::AllPoints, {MakePoint("A", 0, 1000, 2000), MakePoint("B", 1, 1400, 2600)});
    canvas.FitToData(true, true);
    QCOMPARE(canvas.Geometry().CentreNorth(), 1200.0);
    QCOMPARE(canvas.Geometry().CentreEast(), 2300.0);
    QCOMPARE(canvas.Geometry().Resolution(), 75.0);  // max(600/1000, 400/800) * 100 / 0.8
    // Scale only keeps the centre.
    canvas.Geometry().SetCentre(0, 0);
    canvas.SetClientRect({0, 0, 500, 800});
    canvas.FitToData(false, true);
    QCOMPARE(canvas.Geometry().CentreEast(), 0.0);
    QCOMPARE(canvas.Geometry().Resolution(), 150.0);
    // One point has no size: the scale stays usable.
    canvas.SetData(ViewMode::AllPoints, {MakePoint("A", 0, 1000, 2000)});
    canvas.FitToData(true, true);
    QCOMPARE(canvas.Geometry().Resolution(), 150.0);
    QCOMPARE(canvas.Geometry().CentreNorth(), 1000.0);
}

void PlotCanvasTest::pickWithinClickSquare() {
    PlotCanvas canvas;
    canvas.SetClientRect({0, 0, 1000, 800});
    canvas.Geometry().SetCentre(0, 0);
    canvas.Geometry().SetResolution(100);
    // Around the click at the centre pixel (500, 400), one metre a pixel;
    // every kind can be picked.
    canvas.SetData(ViewMode::AllPoints, {MakePoint("edge", 2, -20, 20), MakePoint("corner", 1, 20, -20),
                       MakePoint("out", 2, 0, 21), MakePoint("house", 5, 0, 0)});
    canvas.UpdateScreenPositions();
    QVERIFY(canvas.PickInRect({480, 380, 520, 420}));
    QVERIFY(canvas.Picked(0));
    QVERIFY(canvas.Picked(1));
    QVERIFY(!canvas.Picked(2));
    QVERIFY(canvas.Picked(3));
    // A pick elsewhere replaces the earlier one.
    QVERIFY(!canvas.PickInRect({0, 0, 10, 10}));
    QVERIFY(!canvas.Picked(0));
    // The first pick is taken once; new data starts with nothing picked.
    QVERIFY(canvas.PickInRect({480, 380, 520, 420}));
    QCOMPARE(canvas.TakeFirstPicked(), 0);
    QCOMPARE(canvas.PickedGpsIds(), (std::vector<std::string>{"id-corner", "id-house"}));
    canvas.SetData(ViewMode::AllPoints, canvas.Points());
    QVERIFY(canvas.PickedGpsIds().empty());
    QCOMPARE(canvas.TakeFirstPicked(), -1);
}

void PlotCanvasTest::pickRectangleEitherWay() {
    PlotCanvas canvas;
    canvas.SetClientRect({0, 0, 1000, 800});
    canvas.Geometry().SetCentre(0, 0);
    canvas.Geometry().SetResolution(100);
    canvas.SetData(ViewMode::AllPoints, {MakePoint("in", 0, 50, 50), MakePoint("out", 0, -50, 50)});
    canvas.UpdateScreenPositions();
    for (const PlotRect& rect : {PlotRect::Spanning(500, 300, 600, 400), PlotRect::Spanning(600, 400, 500, 300)}) {
        QVERIFY(canvas.PickInRect(rect));
        QCOMPARE(canvas.PickedGpsIds(), std::vector<std::string>{"id-in"});
    }
}

void PlotCanvasTest::history() {
    PlotGeometry g = MetreGeometry();
    g.RecordView();
    g.RecordView();
    QCOMPARE(g.History().size(), size_t(1));
    g.ZoomIn();
    g.ZoomIn();
    g.Pan(0, 0, 10, 0);
    g.RecordView();
    QCOMPARE(g.History().size(), size_t(4));
    QVERIFY(g.PreviousView());
    QVERIFY(g.PreviousView());
    QCOMPARE(g.Resolution(), 100 / 1.1);
    QVERIFY(g.NextView());
    QVERIFY(g.PreviousView());
    // A new view here drops the two views ahead of it.
    g.ZoomOut();
    QCOMPARE(g.History().size(), size_t(3));
    QCOMPARE(g.CurrentView(), 2);
    QVERIFY(!g.NextView());
    QVERIFY(g.PreviousView() && g.PreviousView());
    QVERIFY(!g.PreviousView());
    QCOMPARE(g.Resolution(), 100.0);
}

void PlotCanvasTest::dragPansAndRecords() {
    PlotCanvas canvas;
    canvas.SetClientRect({0, 0, 1000, 800});
    canvas.Geometry().SetCentre(0, 0);
    canvas.Geometry().SetResolution(100);
    // Pan tool: without a button nothing moves; dragging moves the view with the mouse.
    canvas.MouseMove(600, 400);
    QVERIFY(!canvas.RedrawRequested());
    canvas.SetAnchor(500, 400);
    canvas.SetButtonDown(PlotCanvas::LeftButton);
    canvas.MouseMove(530, 380);
    QVERIFY(canvas.RedrawRequested());
    QCOMPARE(canvas.Geometry().CentreEast(), -30.0);
    QCOMPARE(canvas.Geometry().CentreNorth(), -20.0);
    canvas.ButtonUp(530, 380);
    QCOMPARE(canvas.ButtonDown(), PlotCanvas::NoButton);
    QCOMPARE(canvas.Geometry().History().size(), size_t(1));
    // Zoom window: the release zooms to the rubber band.
    canvas.SetTool(PlotCanvas::ZoomWindowTool);
    canvas.SetAnchor(400, 300);
    canvas.SetButtonDown(PlotCanvas::LeftButton);
    canvas.SetRubberBand(true);
    canvas.MouseMove(600, 460);
    QCOMPARE(canvas.Corner(), (ScreenPoint{600, 460}));
    QCOMPARE(canvas.Geometry().CentreEast(), -30.0);  // a rubber band does not pan
    canvas.ButtonUp(600, 460);
    QVERIFY(!canvas.RubberBand());
    QCOMPARE(canvas.Geometry().Resolution(), 25.0);
    QCOMPARE(canvas.Geometry().CentreNorth(), 0.0);  // -20 plus 20 m up to the band's middle row
    QCOMPARE(canvas.Geometry().CentreEast(), -30.0);
}

void PlotCanvasTest::drawColoursByKind() {
    PlotCanvas canvas;
    canvas.SetClientRect({0, 0, 200, 100});
    canvas.Geometry().SetCentre(0, 0);
    canvas.Geometry().SetResolution(100);
    canvas.SetData(ViewMode::AllPoints, {MakePoint("J", 0, 0, -60), MakePoint("Z", 1, 0, -20), MakePoint("F", 4, 0, 20),
                       MakePoint("P", 2, 0, 60)});
    canvas.UpdateScreenPositions();
    canvas.PickInRect(PlotRect::Spanning(155, 45, 165, 55));  // picks "P"
    auto paint = [&canvas] {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        canvas.Draw(painter, false);
        return image;
    };
    QImage pan = paint();
    QCOMPARE(pan.pixelColor(40, 50), QColor(255, 0, 0));
    QCOMPARE(pan.pixelColor(80, 50), QColor(255, 128, 255));
    QCOMPARE(pan.pixelColor(120, 50), QColor(255, 255, 255));
    QCOMPARE(pan.pixelColor(160, 50), QColor(255, 255, 255));  // picked, but not in pick mode
    canvas.SetTool(PlotCanvas::PickTool);
    QCOMPARE(paint().pixelColor(160, 50), QColor(0, 255, 255));
}

void PlotCanvasTest::jStakeDrawnOverDetailPoints() {
    // A J stake listed before the points measured on the same spot stays visible,
    // on the screen and on paper.
    for (const PlanLook& look : {PlanLook::Screen(), PlanLook::Paper(1.0)}) {
        PlotCanvas canvas;
        canvas.SetClientRect({0, 0, 100, 100});
        canvas.Geometry().SetCentre(0, 0);
        canvas.Geometry().SetResolution(100);
        canvas.SetData(ViewMode::AllPoints, {MakePoint("J1", 0, 0, 0), MakePoint("Z1", 1, 0, 0), MakePoint("A1", 2, 0, 0),
                                             MakePoint("C1", 3, 0, 0)});
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(look.background);
        QPainter painter(&image);
        canvas.Paint(painter, look);
        painter.end();
        QCOMPARE(image.pixelColor(50, 50), look.jStake);
        QCOMPARE(image.pixelColor(54, 50), look.jStake);  // the ring as well
    }
}

void PlotCanvasTest::labelsDoNotOverlap() {
    PlotLabelGrid grid;
    grid.Reset(100, 50);
    QVERIFY(grid.Claim(10, 10, 30, 12));
    QVERIFY(grid.Taken(39, 21));
    QVERIFY(!grid.Claim(35, 18, 30, 12));  // overlaps the first
    QVERIFY(!grid.Taken(60, 25));           // a refused label claims nothing
    QVERIFY(grid.Claim(44, 10, 30, 12));    // beside it
    QVERIFY(grid.Claim(-50, -20, 20, 10));  // wholly outside: nothing to clash with
    QVERIFY(grid.Claim(90, 45, 40, 20));    // runs off the window
    QVERIFY(!grid.Claim(95, 48, 10, 10));
}

void PlotCanvasTest::stakeLabelWinsOverDetailLabel() {
    // A detail point listed first and a J stake 4 px to its right: their
    // labels would overlap, and the stake's is the one drawn.
    PlotCanvas canvas;
    canvas.SetClientRect({0, 0, 200, 100});
    canvas.Geometry().SetCentre(0, 0);
    canvas.Geometry().SetResolution(100);
    canvas.SetData(ViewMode::AllPoints, {MakePoint("DETAIL", 4, 0, 0), MakePoint("JSTAKE", 0, -2, 4)});
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    canvas.Draw(painter, false);
    painter.end();
    int red = 0, white = 0;
    for (int y = 52; y < 70; ++y) {
        for (int x = 112; x < 160; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 128 && c.green() < 64) ++red;
            if (c.red() > 128 && c.green() > 128 && c.blue() > 128) ++white;
        }
    }
    QVERIFY(red > 20);
    QCOMPARE(white, 0);
}

QTEST_MAIN(PlotCanvasTest)
#include "plot_canvas_test.moc"
