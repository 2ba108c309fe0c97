#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "reporter.h"

namespace linvara {

// A loaded tower-base section survey: what the tower-base dialog owns and
// shows. Several can exist at once, each with its own data.
class TowerBaseSurvey {
public:
    explicit TowerBaseSurvey(Reporter& reporter);

    // Loads a *.tow directly, or exports a project (*.PD) to its TOW file
    // first and reads that; the data-file path becomes the TOW path. A TOW
    // file beside the project that holds other data is never replaced: the
    // project's rows are then read in memory (with a warning), and the
    // data-file path is the project's.
    void Load(const std::string& path);
    // Whether the last Load exported (when it had to) and read its TOW file
    // without a reported problem.
    bool LoadSucceeded() const { return loadSucceeded_; }
    // The number fields of the TOW file the last Load could not read (the
    // file, the line and the field of each).
    const std::vector<std::string>& ReadWarnings() const { return readWarnings_; }

    enum class ConvertResult { NoDataFile, NoOutputPath, NoSections, Done };
    // Runs the conversion to OrgOutputPath; reports "请先打开数据文件！" /
    // "请设置转换文件保存路径！" itself when a path is missing, and
    // "TOW文件中没有塔基断面数据：<file>" when the file loaded holds no point.
    ConvertResult Convert();
    // Whether the last Convert that ran wrote every ORG and INI file.
    bool AllFilesWritten() const { return allFilesWritten_; }

    const std::string& DataFilePath() const { return dataFilePath_; }
    const SectionPointList& Points() const { return points_; }
    std::string OrgOutputPath;

private:
    std::optional<SectionPointList> LoadProject(const std::string& path, bool& exported, std::string& cause);

    Reporter& reporter_;
    std::string dataFilePath_;
    SectionPointList points_;
    std::vector<std::string> readWarnings_;
    bool loadSucceeded_ = false;
    bool allFilesWritten_ = false;
};

// Whether a path names a TOW file (extension compared upper-cased).
bool IsTowPath(const std::string& path);

}  // namespace linvara
