#include "report/results_workbook.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "model/point_values.h"
#include "project/project.h"
#include "report/quiet_stderr.h"
#include "report/sheets.h"
#include "text/atomic_path.h"
#include "text/format.h"
#include "towerbase/tower_base_table.h"
#include "text/file_system.h"

namespace linvara {
namespace {

std::string WriteFailed(const std::string& path, const std::string& cause) {
    return WithCause("写入成果表失败：" + path, cause);
}

// The system's reason of a failed write (a full disk) where there is one,
// else the library's.
std::string LibraryCause(lxw_error error) {
    const bool systemFailure = errno != 0 && (error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE ||
                                              error == LXW_ERROR_ZIP_FILE_OPERATION || error == LXW_ERROR_ZIP_FILE_ADD ||
                                              error == LXW_ERROR_ZIP_CLOSE);
    return systemFailure ? std::strerror(errno) : lxw_strerror(error);
}

// Builds the whole workbook into `file`; the library writes it on closing.
lxw_error BuildWorkbook(const ReportContents& contents, const std::string& file) {
    lxw_workbook* book = workbook_new(file.c_str());
    if (!book) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(contents.title.c_str());
    workbook_set_properties(book, &properties);
    const report::CellStyles styles(book);
    lxw_error error = LXW_NO_ERROR;
    for (auto add : {report::AddStakeSheet, report::AddPointsSheet, report::AddCrossingsSheet,
                     report::AddTowerBaseSheet}) {
        const lxw_error added = add(book, styles, contents);
        if (error == LXW_NO_ERROR) error = added;
    }
    const lxw_error closed = workbook_close(book);  // also frees the workbook
    return error != LXW_NO_ERROR ? error : closed;
}

}  // namespace

Status WriteResultsWorkbook(const ReportContents& contents, const std::string& path) {
    if (contents.points.empty()) return Status::Failed("工程中没有点，不能生成成果表");
    text::AtomicPath file(path);
    if (!file.Open()) return Status::Failed(WriteFailed(path, file.Error()));
    // The library prints numbers with the process locale: a comma would break the file.
    const text::CLocaleScope numbers;
    errno = 0;
    lxw_error error = LXW_NO_ERROR;
    {
        const report::QuietStderr quiet;
        error = BuildWorkbook(contents, file.TempPath());
    }
    if (error != LXW_NO_ERROR) return Status::Failed(WriteFailed(path, LibraryCause(error)));
    if (!file.Commit()) return Status::Failed(WriteFailed(path, file.Error()));
    return Status::Ok();
}

Status WriteProjectWorkbook(const Project& project, const std::string& path, const std::string& date) {
    if (Status usable = ConvertiblePoints(project.Points(), project.Path()); !usable) return usable;
    ReportContents contents{project.Title(), date, project.Points(), {}};
    std::vector<TGDataUnit> rows;
    if (Status read = project.TowerBaseRows(rows); !read) return read;
    try {
        contents.towerBase.reserve(rows.size());
        for (TGDataUnit& row : rows) contents.towerBase.push_back(DecodeTowerBaseRow(std::move(row)));
    } catch (const std::exception& e) {  // a code page the system lacks
        return Status::Failed(WithCause("查找记录出错!", project.Path() + "：" + e.what()));
    }
    return WriteResultsWorkbook(contents, path);
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = text::LocalTime(now);
    return text::Format("%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace linvara
