#include "plan/plan_output.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cmath>

#include "plan/plan_look.h"
#include "plan/plan_sheet.h"
#include "plan/plot_canvas.h"
#include "text/atomic_path.h"
#include "text/format.h"
#include "common/native_path.h"

namespace linvara::gui {
namespace {

// A PDF page is drawn at this resolution: 0.04 mm per device pixel.
constexpr int kPdfDpi = 600;
// The margin a printer leaves around the sheet's own.
constexpr double kPdfMarginMm = 7;
// Centimetres per inch: a view's resolution is in centimetres per pixel.
constexpr double kCmPerInch = 2.54;
// A page fitted to a few points close together is drawn no larger than this
// (1:500, the largest scale a route plan uses).
constexpr int kLargestFitScale = 500;

std::string WriteFailed(const QString& path, const std::string& cause) {
    return WithCause("写入平面图失败：" + CorePath(path), cause);
}

QString ScaleText(int scale) { return QStringLiteral("1:%1").arg(scale); }

// Whether every point with a position fell inside the map at the last paint.
bool AllOnMap(const PlotCanvas& canvas) {
    for (std::size_t i = 0; i < canvas.Points().size(); ++i) {
        const auto& p = canvas.Points()[i];
        if (std::isfinite(p.Dx) && std::isfinite(p.Dy) && !canvas.OnScreen(i)) return false;
    }
    return true;
}

bool PaintPdf(const PlanSource& source, const QString& file, const PlanOptions& options, bool* allOnMap) {
    QPdfWriter writer(file);
    writer.setResolution(kPdfDpi);
    writer.setTitle(source.title);
    writer.setCreator(QStringLiteral("Linvara"));
    writer.setPageSize(QPageSize(options.paper));
    writer.setPageOrientation(PlanIsWide(source.points) ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const QRect page(0, 0, writer.width(), writer.height());
    PaintPlanPage(painter, page, kPdfDpi, source, options.scale, options.labels, allOnMap);
    return painter.end();
}

bool PaintSvg(const PlanSource& source, const QString& file, const PlanOptions& options) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(options.size);
    svg.setViewBox(QRect(QPoint(0, 0), options.size));
    svg.setResolution(96);
    svg.setTitle(source.title);
    svg.setDescription(QStringLiteral("线路平面图"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    PaintPlanImage(painter, QRect(QPoint(0, 0), options.size), source, options.labels);
    return painter.end();
}

bool PaintPng(const PlanSource& source, const QString& file, const PlanOptions& options) {
    QImage image(options.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintPlanImage(painter, image.rect(), source, options.labels);
    }
    // The temporary name has no extension to go by.
    return image.save(file, "PNG");
}

void SetMapRect(PlotCanvas& canvas, const QRect& map) {
    canvas.SetClientRect({map.left(), map.top(), map.right() + 1, map.bottom() + 1});
}

}  // namespace

std::optional<PlanFormat> PlanFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return PlanFormat::Png;
    if (suffix == QLatin1String("svg")) return PlanFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PlanFormat::Pdf;
    return std::nullopt;
}

bool PlanHasPoints(const linvara::DHPointList& points) { return ExtentOf(points).has_value(); }

bool PlanIsWide(const linvara::DHPointList& points) {
    const std::optional<WorldExtent> e = ExtentOf(points);
    return !e || !(e->maxNorth - e->minNorth > e->maxEast - e->minEast);
}

int RoundScaleAtLeast(double n) {
    if (!(n > 1) || !std::isfinite(n)) return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(n)));
    for (double step : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        const double candidate = step * decade;
        // A hair above a round scale (rounding of the extent) keeps that scale.
        if (candidate >= n * (1 - 1e-9)) return static_cast<int>(std::lround(std::min(candidate, 2e9)));
    }
    return static_cast<int>(std::lround(std::min(10 * decade, 2e9)));
}

int PaintPlanPage(QPainter& painter, const QRect& page, int dpi, const PlanSource& source, int scale, bool labels,
                  bool* allOnMap) {
    const std::optional<WorldExtent> extent = ExtentOf(source.points);
    if (!extent) return 0;
    PlanLook look = PlanLook::Paper(dpi / 96.0);
    look.labels = labels;
    PlotCanvas canvas;
    canvas.SetData(ViewMode::AllPoints, source.points);
    const QRect map = plan_sheet::MapRect(page, look);
    SetMapRect(canvas, map);
    const WorldExtent& e = *extent;
    canvas.Geometry().SetCentre((e.minNorth + e.maxNorth) / 2, (e.minEast + e.maxEast) / 2);
    if (scale <= 0) {
        // The route fills four fifths of the map at most, as the plan view
        // fits it, leaving room for the labels at its ends; then a round scale.
        const double metresPerPixel = std::max((e.maxEast - e.minEast) / map.width(), (e.maxNorth - e.minNorth) / map.height()) / 0.8;
        const double inchesPerPixel = 1.0 / dpi;
        scale = std::max(kLargestFitScale, RoundScaleAtLeast(metresPerPixel / (inchesPerPixel * kCmPerInch / 100.0)));
    }
    canvas.Geometry().SetResolution(scale * kCmPerInch / dpi);
    canvas.Geometry().RecordView();
    plan_sheet::Paint(painter, page, canvas, look, {source.title, source.date, ScaleText(scale)});
    if (allOnMap) *allOnMap = AllOnMap(canvas);
    return scale;
}

void PaintPlanImage(QPainter& painter, const QRect& page, const PlanSource& source, bool labels) {
    PlanLook look = PlanLook::Paper(1.0);
    look.labels = labels;
    PlotCanvas canvas;
    canvas.SetData(ViewMode::AllPoints, source.points);
    SetMapRect(canvas, plan_sheet::MapRect(page, look));
    canvas.FitToData(true, true);
    // On a screen of 96 dpi, which is what an image is shown on.
    const int scale = static_cast<int>(std::lround(canvas.Geometry().Resolution() * 96 / kCmPerInch));
    plan_sheet::Paint(painter, page, canvas, look,
                      {source.title, source.date, ScaleText(scale) + QStringLiteral("（按 96 dpi）")});
}

Status WritePlan(const PlanSource& source, const QString& path, const PlanOptions& options, std::string* note) {
    const std::optional<PlanFormat> format = PlanFormatOf(path);
    if (!format) return Status::Failed("平面图只能写成 PNG、SVG 或 PDF 文件：" + CorePath(path));
    if (!PlanHasPoints(source.points)) return Status::Failed("工程中没有点，不能生成平面图");
    text::AtomicPath file(CorePath(path));
    if (!file.Open()) return Status::Failed(WriteFailed(path, file.Error()));
    const QString temp = QString::fromStdString(file.TempPath());
    bool allOnMap = true;
    bool painted = false;
    switch (*format) {
    case PlanFormat::Png: painted = PaintPng(source, temp, options); break;
    case PlanFormat::Svg: painted = PaintSvg(source, temp, options); break;
    case PlanFormat::Pdf: painted = PaintPdf(source, temp, options, &allOnMap); break;
    }
    if (!painted) return Status::Failed(WriteFailed(path, "无法写入图形"));
    if (!file.Commit()) return Status::Failed(WriteFailed(path, file.Error()));
    if (note && !allOnMap && options.scale > 0)
        *note = text::Format("按 1:%d 图幅容不下全部点，图幅外的点未画出：", options.scale) + CorePath(path);
    return Status::Ok();
}

int ParsePlanScale(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == kFitToPage) return 0;
    static const QRegularExpression kScale(QStringLiteral("^1\\s*[:：]\\s*(\\d{1,9})$"));
    const QRegularExpressionMatch m = kScale.match(trimmed);
    if (!m.hasMatch()) return -1;
    const int n = m.captured(1).toInt();
    return n >= 1 ? n : -1;
}

}  // namespace linvara::gui
