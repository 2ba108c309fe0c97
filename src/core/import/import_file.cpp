#include "import/import_file.h"

#include "import/collector_project.h"
#include "import/decode_file.h"
#include "import/point_reader.h"
#include "import/text_fields.h"
#include "text/file_name.h"
#include "text/output_guard.h"
#include "text/format.h"
#include "text/file_system.h"
#include "text/text_file.h"

namespace linvara::import {
namespace {

std::string FileName(const std::string& path) {
    const text::FileNameParts parts = text::SplitFileName(path);
    return parts.stem + parts.extension;
}

}  // namespace

Status ImportPointFile(const std::string& input, const std::string& output, const ImportOptions& options,
                       ImportOutcome& outcome) {
    outcome = {};
    if (std::string why = CheckStyle(options.style); !why.empty()) return Status::Failed("导入样式不可用：" + why);
    if (Status refused = text::RefuseOutputOverInput(output, input); !refused) return refused;
    if (!options.replace && text::FileExists(output))
        return Status::Failed("文件已存在，未覆盖：" + output);
    std::unique_ptr<GaussKruger> projection;
    if (options.zone) {
        if (!GaussKruger::Available()) return Status::Failed(GaussKruger::kNotInThisBuild);
        std::string why;
        projection = GaussKruger::Create(*options.zone, why);
        if (!projection) return Status::Failed(WithCause("投影参数不可用", why));
    }
    const std::string name = FileName(input);
    text::TextFile file;
    if (const auto bad = text::ReadTextFile(input, file)) {
        if (bad->line == 0) return Status::Failed(WithCause("无法读取文件：" + input, bad->reason));
        return Status::Failed(name + " " + text::ProblemText(*bad));
    }
    std::string utf8, problem;
    if (!DecodePointFile(file, options.style.encoding, utf8, problem)) return Status::Failed(name + " " + problem);
    const ReadPoints read = ReadPointText(utf8, options.style, projection.get(), options.swapXY);
    outcome.looksSwapped = read.looksSwapped;
    if (!read.failure.empty()) return Status::Failed(name + " " + read.failure);
    for (const BadLine& bad : read.bad)
        outcome.badLines.push_back(text::Format("%s 第%d行：%s", name.c_str(), bad.line, bad.reason.c_str()));
    if (!read.bad.empty() && !options.skipBad)
        return Status::Failed(text::Format("%s 有%zu行无法读取，未写入工程文件", name.c_str(), read.bad.size()));
    if (read.points.empty()) return Status::Failed(name + " 中没有可导入的点");
    // The points' x/y are in the zone given: later edits keep B/L with them.
    const std::optional<CoordinateSystem> system =
        options.zone ? std::optional(CoordinateSystemOf(*options.zone)) : std::nullopt;
    Status written = WriteCollectorProject(output, read.points, StampNow(), options.replace, system ? &*system : nullptr);
    if (!written) return written;
    outcome.points = read.points.size();
    outcome.zonePrefix = read.zonePrefix;
    outcome.zonePrefixed = read.zonePrefixed;
    return written;
}

}  // namespace linvara::import
