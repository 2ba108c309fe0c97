// The desktop program on a generated 100 000-point project, each case beside
// a limit measured in the same run (the limit carries the case's name plus a
// suffix, so bench/ratios.py can pair them):
//   BM_OpenToFirstRows      File > Open in a fresh main window until the list
//                           has painted its first rows;
//     _ReadStakeList        the core reading the same list, nothing else;
//   BM_PlanPaintFull        one repaint of the plan view as shown after opening
//                           (grid, route line, symbols, labels);
//     _Dots                 the same symbols alone into an image of the same size;
//   BM_PlanPaintZoomed      the same at a working scale in the middle of the route;
//   BM_PlanEditRedraw       one point edited: the views told (the plan's copy
//                           updated in place) and the plan repainted, fitted
//                           to the route and at the working scale;
//   BM_PlanEditStoreRedraw  the same through 编辑点 itself: the point stored
//                           in the file (one transaction), then the views.
// Real (wall-clock) times throughout. Runs offscreen unless QT_QPA_PLATFORM is
// set; LINVARA_BENCH_GRAB=<dir> saves what the window shows as PNG files.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "common/ui_services.h"
#include "db/project_database.h"
#include "plan/plot_style.h"
#include "project_generator.h"
#include "reporter.h"
#include "views/plan_view.h"
#include "views/point_list_model.h"
#include "views/point_table_view.h"

namespace fs = std::filesystem;
using namespace linvara;
using namespace linvara::gui;

namespace {

constexpr int kPoints = 100000, kJStakes = 2000, kTowerCentres = 1000;
// The main window's size for the plan cases: a common desktop screen.
constexpr int kWindowWidth = 1920, kWindowHeight = 1080;

void Fail(const std::string& what) { throw std::runtime_error(what); }

fs::path BenchRoot() {
    static const fs::path root =
        fs::temp_directory_path() / ("linvara-desktop-bench-" + std::to_string(static_cast<long>(::getpid())));
    return root;
}

// The generated project, opened once so its working tables exist: what a
// user reopens, not a file fresh from the field.
const std::string& SeededProject() {
    static const std::string path = [] {
        fs::create_directories(BenchRoot());
        const std::string p = (BenchRoot() / "route.PD").string();
        bench::WriteCollectorFile(p, bench::GenerateProject(kPoints, kJStakes, kTowerCentres));
        SilentReporter silent;
        ProjectDatabase seed(silent);
        if (Status opened = seed.OpenProject(p); !opened) Fail(opened.message());
        return p;
    }();
    return path;
}

// Answers File > Open with the project; any message box means the run went
// wrong, so messages are kept for the case to fail on.
class BenchUi final : public UiServices {
public:
    explicit BenchUi(QString path) : path_(std::move(path)) {}
    QString messages;

    void Info(const QString& t) override { messages += t + '\n'; }
    void Warning(const QString& t) override { messages += t + '\n'; }
    void Error(const QString& t) override { messages += t + '\n'; }
    bool AskYesNo(const QString& t) override {
        messages += t + '\n';
        return false;
    }
    bool OkCancel(const QString& t) override {
        messages += t + '\n';
        return false;
    }
    ConflictChoice AskConflict(const QString& t) override {
        messages += t + '\n';
        return ConflictChoice::Cancel;
    }
    OrgGateChoice AskBeforeOrg(const QString& t) override {
        messages += t + '\n';
        return OrgGateChoice::Cancel;
    }
    QString GetOpenFileName(const QString&, const QString&, const QString&) override { return path_; }
    QString GetSaveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString GetExistingDirectory(const QString&, const QString&) override { return {}; }
    bool Exec(QDialog&) override {
        messages += QStringLiteral("(dialog)\n");
        return false;
    }

private:
    QString path_;
};

// A main window as the program starts it, shown and exposed, no project yet.
struct Desktop {
    BenchUi ui;
    LinvaraApp app;
    MainWindow& frame;

    explicit Desktop(const std::string& project)
        : ui(QString::fromStdString(project)), app(ui), frame(app.InitInstance(QString())) {
        QElapsedTimer waited;
        waited.start();
        while (!(frame.windowHandle() && frame.windowHandle()->isExposed()) && waited.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QApplication::processEvents();
    }
    // The app is dropped without closing the window: closing saves the project.
    void Open() {
        frame.Action(cmd::Open)->trigger();
        // What the user waits for: the first rows on screen.
        frame.PointTable().viewport()->repaint();
    }
    void Check() const {
        if (!ui.messages.isEmpty()) Fail("unexpected message: " + ui.messages.toStdString());
        if (frame.PointTable().Model().rowCount() < kPoints / 2) Fail("the list was not filled");
    }
};

void Grab(QWidget& widget, const char* name) {
    const QByteArray dir = qgetenv("LINVARA_BENCH_GRAB");
    if (dir.isEmpty()) return;
    const QString file = QString::fromLocal8Bit(dir) + '/' + QString::fromLatin1(name);
    if (!widget.grab().save(file)) std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
}

void ReportRows(benchmark::State& state, size_t rows) { state.counters["rows"] = static_cast<double>(rows); }

// ---- opening ---------------------------------------------------------------------

void BM_OpenToFirstRows(benchmark::State& state) {
    const std::string& project = SeededProject();
    bool grabbed = false;
    for (auto _ : state) {
        state.PauseTiming();
        auto desktop = std::make_unique<Desktop>(project);
        state.ResumeTiming();
        desktop->Open();
        state.PauseTiming();
        desktop->Check();
        if (!grabbed) Grab(desktop->frame, "open_list.png");
        grabbed = true;
        ReportRows(state, static_cast<size_t>(desktop->frame.PointTable().Model().rowCount()));
        desktop.reset();
        state.ResumeTiming();
    }
}

// The list the window shows, read on a fresh connection (opening it is not
// timed; its time is the open_ms counter).
void BM_OpenToFirstRows_ReadStakeList(benchmark::State& state) {
    const std::string& project = SeededProject();
    double openMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SilentReporter silent;
        ProjectDatabase db(silent);
        QElapsedTimer open;
        open.start();
        if (Status opened = db.OpenProject(project); !opened) Fail(opened.message());
        openMs += static_cast<double>(open.nsecsElapsed()) / 1e6;
        DHPointList list;
        state.ResumeTiming();
        if (Status read = db.ReadStakeList(list); !read) Fail(read.message());
        state.PauseTiming();
        ReportRows(state, list.size());
        list = DHPointList();
        state.ResumeTiming();
    }
    state.counters["open_ms"] = openMs / static_cast<double>(state.iterations());
}

// ---- plan view -------------------------------------------------------------------

// One window for every plan case: the project open, the plan view shown.
// Dropped by main() while the application still exists.
std::unique_ptr<Desktop> planDesktop;

Desktop& PlanDesktop() {
    if (!planDesktop) {
        planDesktop = std::make_unique<Desktop>(SeededProject());
        MainWindow& frame = planDesktop->frame;
        frame.showNormal();
        frame.resize(kWindowWidth, kWindowHeight);
        planDesktop->Open();
        planDesktop->Check();
        frame.Action(cmd::PlanView)->trigger();
        QApplication::processEvents();
        frame.Plan().OnCenter();
        QApplication::processEvents();
    }
    return *planDesktop;
}

int DrawnPoints(const PlotCanvas& canvas) {
    int drawn = 0;
    for (size_t i = 0; i < canvas.Points().size(); ++i) drawn += canvas.OnScreen(i) ? 1 : 0;
    return drawn;
}

void RepaintLoop(benchmark::State& state, const char* grabName) {
    PlanView& view = PlanDesktop().frame.Plan();
    if (!view.isVisible()) Fail("the plan view is not shown");
    for (auto _ : state) view.repaint();
    Grab(PlanDesktop().frame, grabName);
    state.counters["dots"] = DrawnPoints(view.Canvas());
    state.counters["width"] = view.width();
    state.counters["height"] = view.height();
}

// Every symbol the view would draw, with nothing else, as the view draws symbols.
void DotsLoop(benchmark::State& state) {
    PlanView& view = PlanDesktop().frame.Plan();
    PlotCanvas& canvas = view.Canvas();
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        canvas.UpdateScreenPositions();
        for (size_t i = 0; i < canvas.Points().size(); ++i) {
            if (!canvas.OnScreen(i)) continue;
            const ScreenPoint s = canvas.ScreenPosition(i);
            painter.drawImage(QPoint(s.x - plot_style::kSymbolHalf, s.y - plot_style::kSymbolHalf),
                              plot_style::PointSymbol(plot_style::PointColour(canvas.Points()[i].DHType, false)));
        }
    }
    state.counters["dots"] = DrawnPoints(canvas);
}

// Fitted to the whole route, as the view first shows it.
void BM_PlanPaintFull(benchmark::State& state) { RepaintLoop(state, "plan_full.png"); }
void BM_PlanPaintFull_Dots(benchmark::State& state) { DotsLoop(state); }

// Zoomed 64 times into the middle of the route, then back to the fitted view.
class ZoomedIn {
public:
    ZoomedIn() : canvas_(PlanDesktop().frame.Plan().Canvas()), saved_(canvas_.Geometry().State()) {
        const auto& middle = canvas_.Points()[canvas_.Points().size() / 2];
        canvas_.Geometry().SetCentre(middle.Dx, middle.Dy);
        canvas_.Geometry().SetResolution(saved_.resolution / 64.0);
    }
    ~ZoomedIn() {
        canvas_.Geometry().SetCentre(saved_.centreNorth, saved_.centreEast);
        canvas_.Geometry().SetResolution(saved_.resolution);
    }
    ZoomedIn(const ZoomedIn&) = delete;
    ZoomedIn& operator=(const ZoomedIn&) = delete;

private:
    PlotCanvas& canvas_;
    ViewState saved_;
};

void BM_PlanPaintZoomed(benchmark::State& state) {
    ZoomedIn zoom;
    RepaintLoop(state, "plan_zoomed.png");
}
void BM_PlanPaintZoomed_Dots(benchmark::State& state) {
    ZoomedIn zoom;
    DotsLoop(state);
}

// ---- one point edited ---------------------------------------------------------------

// The middle point of the list, moved by a metre and back on alternate runs.
void EditLoop(benchmark::State& state, bool store) {
    MainWindow& frame = PlanDesktop().frame;
    ProjectDocument& document = frame.Document();
    PlanView& view = frame.Plan();
    const int index = static_cast<int>(document.Points().size() / 2);
    DHPoint point = document.Points()[static_cast<size_t>(index)];
    double step = 1;
    for (auto _ : state) {
        if (store) {
            point.Dx += step;
            step = -step;
            if (!document.EditPoint(point)) Fail("the edit was not stored");
        } else {
            emit document.pointChanged(index);  // what the document says after an edit
        }
        view.repaint();
    }
    if (!PlanDesktop().ui.messages.isEmpty()) Fail("unexpected message: " + PlanDesktop().ui.messages.toStdString());
    state.counters["points"] = static_cast<double>(view.Canvas().Points().size());
}

// Argument 1 zooms in to the working scale first.
void EditCase(benchmark::State& state, bool store) {
    std::optional<ZoomedIn> zoom;
    if (state.range(0) == 1) zoom.emplace();
    EditLoop(state, store);
}

void BM_PlanEditRedraw(benchmark::State& state) { EditCase(state, false); }
void BM_PlanEditStoreRedraw(benchmark::State& state) { EditCase(state, true); }

}  // namespace

BENCHMARK(BM_OpenToFirstRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenToFirstRows_ReadStakeList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanPaintFull)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanPaintFull_Dots)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanPaintZoomed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanPaintZoomed_Dots)->Unit(benchmark::kMillisecond)->UseRealTime();
// Argument 0: fitted to the route; 1: zoomed in to the working scale.
BENCHMARK(BM_PlanEditRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanEditStoreRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Recent files and other settings go to the run's own folder, not the user's.
    fs::create_directories(BenchRoot());
    setenv("XDG_CONFIG_HOME", BenchRoot().c_str(), 1);
    int status = 0;
    {
        QApplication application(argc, argv);
        benchmark::Initialize(&argc, argv);
        try {
            benchmark::RunSpecifiedBenchmarks();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "desktop_bench: %s\n", e.what());
            status = 1;
        }
        planDesktop.reset();
        benchmark::Shutdown();
    }
    std::error_code ignored;
    fs::remove_all(BenchRoot(), ignored);
    return status;
}
