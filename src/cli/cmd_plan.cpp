// plan: the plan drawing of a project as PNG, SVG or PDF, drawn by the
// desktop program's plan painter on Qt's offscreen platform (no display).
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <memory>
#include <regex>
#include <string>

#include "commands.h"
#include "plan/plan_output.h"
#include "report/results_workbook.h"
#include "text/format.h"

namespace linvara::cli {
namespace {

// Qt's own notes (a missing runtime folder, font fallbacks) are no message
// of this program: only its failures reach the user.
void QtFailuresOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

struct PlanArgs {
    std::string project;
    std::string output;
    std::string size;
    std::string paper;
    std::string scale;
    std::string labels = "on";
};

QSize ParseSize(const std::string& text) {
    std::smatch m;
    static const std::regex kSize(R"((\d{1,5})[xX*](\d{1,5}))");
    if (!std::regex_match(text, m, kSize)) throw CLI::ValidationError("--size", "应为 宽x高，例如 1600x1200：" + text);
    const QSize size(std::stoi(m[1]), std::stoi(m[2]));
    if (size.width() < gui::kMinPlanWidth || size.height() < gui::kMinPlanHeight || size.width() > gui::kMaxPlanSide ||
        size.height() > gui::kMaxPlanSide)
        throw CLI::ValidationError("--size", text::Format("图像大小应在 %dx%d 到 %dx%d 之间：", gui::kMinPlanWidth,
                                                          gui::kMinPlanHeight, gui::kMaxPlanSide, gui::kMaxPlanSide) +
                                                 text);
    return size;
}

int ParseScale(const std::string& text) {
    const int scale = gui::ParsePlanScale(QString::fromStdString(text));
    if (scale < 0) throw CLI::ValidationError("--scale", "应为 1:N，例如 1:2000：" + text);
    return scale;
}

// Usage errors (exit 2) before anything is opened or written.
gui::PlanOptions OptionsOf(const PlanArgs& args, gui::PlanFormat format) {
    gui::PlanOptions options;
    const bool pdf = format == gui::PlanFormat::Pdf;
    if (!args.size.empty() && pdf) throw CLI::ValidationError("--size", "只用于 PNG 和 SVG；PDF 用 --paper 和 --scale");
    if ((!args.paper.empty() || !args.scale.empty()) && !pdf)
        throw CLI::ValidationError("--paper/--scale", "只用于 PDF；PNG 和 SVG 用 --size");
    if (!args.size.empty()) options.size = ParseSize(args.size);
    if (args.paper == "A3") options.paper = QPageSize::A3;
    if (!args.scale.empty()) options.scale = ParseScale(args.scale);
    options.labels = args.labels == "on";
    return options;
}

void RunPlan(const PlanArgs& args, CliContext& ctx) {
    const QString output = QString::fromStdString(args.output);
    const std::optional<gui::PlanFormat> format = gui::PlanFormatOf(output);
    if (!format) throw CLI::ValidationError("--output", "平面图只能写成 .png、.svg 或 .pdf 文件：" + args.output);
    const gui::PlanOptions options = OptionsOf(args, *format);
    if (!OutputSpared({args.output}, {args.project}, ctx)) return;
    Project project(ctx.reporter);
    if (!OpenForConversion(project, args.project, ctx)) return;
    // Qt draws text only inside an application; offscreen it needs no
    // display, whatever platform the user's environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtFailuresOnly);
    int argc = 1;
    char name[] = "linvara-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    const gui::PlanSource source{project.Points(), QString::fromStdString(project.Title()),
                                 QString::fromStdString(TodayText())};
    std::string note;
    if (!ctx.Check(gui::WritePlan(source, output, options, &note))) return;
    if (!note.empty()) ctx.reporter.Warning(note);
    ctx.reporter.Info("平面图已写入：" + args.output);
}

}  // namespace

void RegisterPlanCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<PlanArgs>();
    CLI::App* sub = app.add_subcommand("plan", "平面图: draw the route as PNG, SVG or PDF (by the output's extension)");
    sub->add_option("project", args->project, "project file (*.PD)")->required();
    sub->add_option("-o,--output", args->output, "drawing to write (*.png, *.svg, *.pdf)")->required();
    sub->add_option("--size", args->size, "PNG/SVG size in pixels, WxH (default 1600x1200)");
    sub->add_option("--paper", args->paper, "PDF paper (default A4; orientation follows the route)")
        ->check(CLI::IsMember({"A4", "A3"}));
    sub->add_option("--scale", args->scale, "PDF scale 1:N (default: the round scale that fits the page)");
    sub->add_option("--labels", args->labels, "point labels (default on)")->check(CLI::IsMember({"on", "off"}));
    sub->callback([args, &ctx] { RunPlan(*args, ctx); });
}

}  // namespace linvara::cli
