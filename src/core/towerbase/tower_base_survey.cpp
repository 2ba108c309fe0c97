#include "towerbase/tower_base_survey.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "status.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/file_system.h"
#include "towerbase/tow_file.h"
#include "towerbase/tower_base_output.h"

namespace linvara {

bool IsTowPath(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == "TOW";
}

TowerBaseSurvey::TowerBaseSurvey(Reporter& reporter) : reporter_(reporter) {}

namespace {

// Whether a file holds exactly `bytes`; false when it cannot be read.
bool HoldsBytes(const std::string& path, const std::string& bytes) {
    std::ifstream in(text::FsPath(path), std::ios::binary);
    std::ostringstream held;
    held << in.rdbuf();
    return in && held.str() == bytes;
}

}  // namespace

// A project is exported to its TOW file beside it, as the TOW command does,
// unless a TOW file of other content stands there (edited by hand, or from
// another survey): the user did not name it, so it stays and the project's
// rows are read from memory.
std::optional<SectionPointList> TowerBaseSurvey::LoadProject(const std::string& path, bool& exported,
                                                             std::string& cause) {
    TowExportResult result;
    const std::optional<std::string> bytes = TowBytes(path, reporter_, result);
    const std::string towPath = TowPathFor(path);
    exported = bytes && !result.queryFailed;
    if (!bytes) return std::nullopt;
    if (text::FileExists(towPath) && !HoldsBytes(towPath, *bytes)) {
        reporter_.Warning("文件" + towPath + "与工程中的塔基断面数据不同，未覆盖；本次按工程中的数据转换");
        dataFilePath_ = path;
        return ReadTowBytes(*bytes, path, &readWarnings_, &cause);
    }
    dataFilePath_ = towPath;
    if (std::string error; !text::WriteFileAtomically(towPath, *bytes, &error)) {
        reporter_.Error(WithCause("写入TOW文件失败：" + towPath, error));
        exported = false;
        return std::nullopt;
    }
    return TryReadTowFile(towPath, &readWarnings_, &cause);
}

void TowerBaseSurvey::Load(const std::string& path) {
    bool exported = true;
    readWarnings_.clear();
    dataFilePath_ = path;
    std::optional<SectionPointList> points;
    std::string cause;
    try {
        points = IsTowPath(path) ? TryReadTowFile(path, &readWarnings_, &cause) : LoadProject(path, exported, cause);
    } catch (const text::EncodingError& e) {
        cause = e.what();
    }
    if (!points) readWarnings_.clear();  // the file is refused as a whole: its numbers do not matter
    const std::string towPath = dataFilePath_;
    // A failed export has already said why there is nothing to read.
    if (!points && exported) reporter_.Error(WithCause("无法读取文件：" + towPath, cause));
    points_ = points.value_or(SectionPointList{});
    loadSucceeded_ = exported && points.has_value();
}

TowerBaseSurvey::ConvertResult TowerBaseSurvey::Convert() {
    if (dataFilePath_.empty()) {
        reporter_.Warning("请先打开数据文件！");
        return ConvertResult::NoDataFile;
    }
    if (OrgOutputPath.empty()) {
        reporter_.Warning("请设置转换文件保存路径！");
        return ConvertResult::NoOutputPath;
    }
    if (points_.empty()) {
        reporter_.Error("TOW文件中没有塔基断面数据：" + dataFilePath_);
        allFilesWritten_ = false;
        return ConvertResult::NoSections;
    }
    const StatusOr<int> unwritten = WriteTowerBaseFiles(points_, OrgOutputPath, reporter_);
    ReportFailure(reporter_, unwritten.status());
    allFilesWritten_ = unwritten && unwritten.value() == 0;
    return ConvertResult::Done;
}

}  // namespace linvara
