#include "towerbase/tower_base_survey.h"

#include <cctype>

#include "status.h"
#include "text/encoding.h"
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

void TowerBaseSurvey::Load(const std::string& path) {
    bool exported = true;
    std::string towPath = path;
    if (!IsTowPath(path)) {
        const TowExportResult result = ExportTow(path, reporter_);
        exported = result.written && !result.queryFailed;
        towPath = TowPathFor(path);
    }
    readWarnings_.clear();
    std::optional<SectionPointList> points;
    std::string cause;
    try {
        points = TryReadTowFile(towPath, &readWarnings_, &cause);
    } catch (const text::EncodingError& e) {
        cause = e.what();
    }
    if (!points) readWarnings_.clear();  // the file is refused as a whole: its numbers do not matter
    // A failed export has already said why there is nothing to read.
    if (!points && exported) reporter_.Error(WithCause("无法读取文件：" + towPath, cause));
    points_ = points.value_or(SectionPointList{});
    dataFilePath_ = towPath;
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
    allFilesWritten_ = WriteTowerBaseFiles(points_, OrgOutputPath, reporter_);
    return ConvertResult::Done;
}

}  // namespace linvara
