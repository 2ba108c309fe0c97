// Paint time of the plan view on a large generated route.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/dh_point_list.h"
#include "views/plot_canvas.h"
#include "views/plot_style.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

// A winding route of `count` points: every tenth a J stake, then Z stakes
// and detail points, with Chinese and Latin names.
linvara::DHPointList MakeRoute(int count) {
    linvara::DHPointList list(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto& p = list[static_cast<size_t>(i)];
        const double t = i * 0.5;
        p.Dx = 3400000.0 + t + 300.0 * std::sin(t / 900.0);
        p.Dy = 500000.0 + 0.6 * t + 200.0 * std::cos(t / 700.0) + (i % 7) * 3.0;
        p.DHType = i % 10 == 0 ? 0 : (i % 10 < 4 ? 1 : 2 + i % 5);
        p.NewPtName = (p.DHType == 0 ? "J" : p.DHType == 1 ? "Z" : "田") + std::to_string(i);
        p.OrgPtName = std::to_string(100000 + i);
        p.GPS_ID = "g" + std::to_string(i);
        p.OrderIndex = i;
    }
    return list;
}

PlotCanvas& CanvasOf(int count) {
    static PlotCanvas canvas;
    static int made = -1;
    if (made != count) {
        canvas = PlotCanvas();
        canvas.SetClientRect({0, 0, kWidth, kHeight});
        canvas.SetData(0, MakeRoute(count));
        canvas.FitToData(true, true);
        made = count;
    }
    return canvas;
}

void PaintLoop(benchmark::State& state, PlotCanvas& canvas) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        canvas.Draw(painter, false);
    }
    int visible = 0;
    for (const auto& p : canvas.Points()) visible += p.Visible ? 1 : 0;
    state.counters["visible"] = visible;
}

// The whole route in view: every point drawn, with its label.
void BM_PaintWithLabels(benchmark::State& state) {
    PaintLoop(state, CanvasOf(static_cast<int>(state.range(0))));
}

// The same points as symbols without any label, for comparison: the cost of
// the transform and the symbols alone.
void BM_PaintDotsOnly(benchmark::State& state) {
    PlotCanvas& canvas = CanvasOf(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        canvas.UpdateScreenPositions();
        for (const auto& p : canvas.Points()) {
            const QImage& symbol = plot_style::PointSymbol(plot_style::PointColour(p.DHType, false));
            painter.drawImage(QPoint(p.ScreenX - plot_style::kSymbolHalf, p.ScreenY - plot_style::kSymbolHalf),
                              symbol);
        }
    }
}

// The same dots drawn as QPainter ellipses each time, the plain way.
void BM_PaintEllipses(benchmark::State& state) {
    PlotCanvas& canvas = CanvasOf(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        canvas.UpdateScreenPositions();
        painter.setPen(Qt::white);
        painter.setBrush(Qt::white);
        for (const auto& p : canvas.Points()) {
            painter.drawEllipse(QPoint(p.ScreenX, p.ScreenY), 4, 4);
            painter.drawEllipse(QPoint(p.ScreenX, p.ScreenY), 2, 2);
        }
    }
}

// Zoomed in on a stretch of the route: what a pan repaints at working scale.
void BM_PaintZoomedIn(benchmark::State& state) {
    PlotCanvas& canvas = CanvasOf(static_cast<int>(state.range(0)));
    const ViewState saved = canvas.Geometry().State();
    const auto& middle = canvas.Points()[canvas.Points().size() / 2];
    canvas.Geometry().SetCentre(middle.Dx, middle.Dy);
    canvas.Geometry().SetResolution(20.0);
    PaintLoop(state, canvas);
    canvas.Geometry().SetCentre(saved.centreNorth, saved.centreEast);
    canvas.Geometry().SetResolution(saved.resolution);
}

}  // namespace

BENCHMARK(BM_PaintWithLabels)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintDotsOnly)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintEllipses)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintZoomedIn)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Fonts need a GUI application; no window is ever shown.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
