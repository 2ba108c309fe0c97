// import: a text or CSV file of points in a column style -> a new project file.
#include <filesystem>
#include <memory>
#include <string>

#include "commands.h"
#include "import/import_file.h"
#include "import/style_text.h"
#include "text/format.h"
#include "text/file_system.h"

namespace linvara::cli {
namespace {

struct ImportArgs {
    std::string input, output, style = "header", columns, styleFile, delimiter, encoding;
    int skipLines = 0, zone = 0, zoneWidth = 3;
    double centralMeridian = 0;
    bool noFalseEasting = false, swapXY = false, skipBad = false, force = false;
    CLI::Option *skipLinesOption = nullptr, *meridianOption = nullptr, *zoneOption = nullptr;
};

std::string StyleNames() {
    std::string out;
    for (const import::ImportStyle& s : import::BuiltInStyles()) out += (out.empty() ? "" : ", ") + s.name;
    return out;
}

// CLI::ExistingFile would read the name in the ANSI code page on Windows.
const CLI::Validator kExistingFile(
    [](std::string& path) {
        std::error_code ec;
        const std::filesystem::path p = text::FsPath(path);
        if (!std::filesystem::exists(p, ec)) return "File does not exist: " + path;
        if (std::filesystem::is_directory(p, ec)) return "File is actually a directory: " + path;
        return std::string();
    },
    "FILE");
const CLI::Validator kStyleName(
    [](std::string& v) { return import::FindBuiltInStyle(v) ? std::string() : "unknown style: " + v; }, "STYLE");
const CLI::Validator kColumnList(
    [](std::string& v) {
        std::vector<import::Column> columns;
        std::string error;
        return import::ParseColumnList(v, columns, error) ? std::string() : error;
    },
    "LIST");

// The style the arguments name, with the options given on top; false (reported) when unusable.
bool BuildStyle(const ImportArgs& args, import::ImportStyle& style, CliContext& ctx) {
    std::string error;
    if (!args.styleFile.empty()) {
        if (!import::StyleFromFile(args.styleFile, style, error))
            return ctx.Check(Status::Failed(WithCause("样式文件不可用：" + args.styleFile, error)));
    } else if (!args.columns.empty()) {
        style = import::ImportStyle{};
        style.name = "columns";
        import::ParseColumnList(args.columns, style.columns, error);
    } else {
        style = *import::FindBuiltInStyle(args.style);
    }
    if (!args.delimiter.empty()) import::ParseDelimiter(args.delimiter, style.delimiter);
    if (!args.encoding.empty()) import::ParseEncoding(args.encoding, style.encoding);
    if (args.skipLinesOption->count() > 0) style.skipLines = args.skipLines;
    return true;
}

void RunImport(const ImportArgs& args, CliContext& ctx) {
    import::ImportOptions options;
    if (!BuildStyle(args, options.style, ctx)) return;
    if (args.meridianOption->count() > 0) options.zone = ZoneOfMeridian(args.centralMeridian);
    if (args.zoneOption->count() > 0) options.zone = ZoneOfNumber(args.zone, args.zoneWidth);
    if (options.zone) options.zone->falseEasting = !args.noFalseEasting;
    options.swapXY = args.swapXY;
    options.skipBad = args.skipBad;
    options.replace = args.force;
    import::ImportOutcome outcome;
    const Status status = import::ImportPointFile(args.input, args.output, options, outcome);
    for (const std::string& line : outcome.badLines) {
        if (status) ctx.reporter.Warning(line + "（已跳过）");
        else ctx.reporter.Error(line);
    }
    if (!ctx.Check(status)) {
        if (outcome.looksSwapped) ctx.reporter.Error("确认X列为东坐标、Y列为北坐标时，加 --swap-xy 交换后导入");
        return;
    }
    if (outcome.zonePrefixed > 0)
        ctx.reporter.Info(text::Format("%zu个点的东坐标前有带号%d，已去掉", outcome.zonePrefixed, outcome.zonePrefix));
    ctx.reporter.Info(text::Format("导入完成：%zu个点写入 %s", outcome.points, args.output.c_str()));
}

}  // namespace

void RegisterImportCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* sub = app.add_subcommand("import", "导入: a text/CSV file of points -> a new project file (*.PD)");
    sub->add_option("input", args->input, "text or CSV file of points")->required()->check(kExistingFile);
    sub->add_option("-o,--output", args->output, "project file to create (*.PD)")->required();
    auto* style = sub->add_option("--style", args->style, "built-in style: " + StyleNames() + " (default header)")
                      ->check(kStyleName);
    auto* columns = sub->add_option("--columns", args->columns, "columns in order from " + import::ColumnWordsText())
                        ->check(kColumnList);
    auto* styleFile = sub->add_option("--style-file", args->styleFile, "a saved style (key=value lines)")
                          ->check(kExistingFile);
    style->excludes(columns)->excludes(styleFile);
    columns->excludes(styleFile);
    sub->add_option("--delimiter", args->delimiter, "field delimiter")
        ->check(CLI::IsMember(import::DelimiterWords()));
    args->skipLinesOption =
        sub->add_option("--skip-lines", args->skipLines, "lines to skip before the data")->check(CLI::NonNegativeNumber);
    sub->add_option("--encoding", args->encoding, "text encoding")->check(CLI::IsMember(import::EncodingWords()));
    args->meridianOption = sub->add_option("--central-meridian", args->centralMeridian,
                                           "central meridian (degrees) of the CGCS2000 Gauss-Krueger projection")
                               ->check(CLI::Range(-180.0, 180.0));
    args->zoneOption = sub->add_option("--zone", args->zone, "zone number instead of --central-meridian")
                           ->check(CLI::Range(1, 120))
                           ->excludes(args->meridianOption);
    sub->add_option("--zone-width", args->zoneWidth, "zone width in degrees, 3 or 6 (default 3)")
        ->check(CLI::IsMember({3, 6}))
        ->needs(args->zoneOption);
    sub->add_flag("--no-false-easting", args->noFalseEasting, "the east coordinate has no 500 km false easting");
    sub->add_flag("--swap-xy", args->swapXY, "the file's X column holds east coordinates and Y north (as GIS programs write)");
    sub->add_flag("--skip-bad", args->skipBad, "write the readable points although some lines are bad");
    sub->add_flag("--force", args->force, "replace an existing output file");
    sub->callback([args, &ctx] { RunImport(*args, ctx); });
}

}  // namespace linvara::cli
