#include "output/result_writer.h"

#include "output/field_trouble.h"
#include "output/kml_writer.h"
#include "model/point_values.h"
#include "output/result_text.h"
#include "status.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"
#include "text/gbk.h"

namespace linvara {
namespace {

constexpr int kDxfKind = 6;
constexpr int kStakeTableKind = 8;
constexpr int kKmlKind = 11;

constexpr const char* kConverted = "转换成功!";
constexpr const char* kKmlDone = "转换完成!";
constexpr const char* kWrittenTo = "已写入：";
constexpr const char* kCannotCreate = "新建成果文件出错：";
constexpr const char* kNoPath = "请先选择成果文件的保存路径";
constexpr const char* kUnknownKind = "未知的成果文件格式";
constexpr const char* kKmzForKmlOnly = "KMZ只用于J、Z桩KML格式";
constexpr const char* kOutsideGbk = "点名含有GBK以外的字符“%s”，DXF中以?代替";

// The file bytes of a non-KML kind, GBK encoded; `written` counts the points.
// The DXF declares code page 936, which has no room for GB18030's other
// characters: they become "?" there.
std::string BuildResultBytes(const DHPointList& list, int kind, int& written) {
    if (kind == kDxfKind) {
        written = static_cast<int>(list.size());
        return text::Utf8ToGbk(output::BuildDxf(output::CollectSurveyCoords(list)));
    }
    if (kind == kStakeTableKind) return text::ToGbkTextFile(output::BuildStakeTable(list, written));
    return text::ToGbkTextFile(output::BuildCoordinateList(list, kind, written));
}

// Names every point whose name the DXF carried with "?" in places.
void WarnNamesOutsideGbk(const DHPointList& list, Reporter& reporter) {
    for (std::size_t row = 0; row < list.size(); ++row) {
        const DHPoint& p = list[row];
        const std::string outside = text::CharactersOutsideGbk(p.NewPtName);
        if (outside.empty()) continue;
        reporter.AboutPoint(MessageLevel::Warning, text::Format(kOutsideGbk, outside.c_str()),
                            {p.NewPtName, static_cast<long long>(row), p.GPS_ID});
    }
}

bool WriteKmlResult(const DHPointList& list, const std::string& path, KmlPacking packing, Reporter& reporter,
                    int* written) {
    std::string error;
    const int done = packing == KmlPacking::Kmz ? WriteStakeKmz(list, path, &error) : WriteStakeKml(list, path, &error);
    if (done == 1) {
        if (written) {
            *written = 0;
            for (const DHPoint& p : list) *written += (p.DHType == JStake || p.DHType == ZStake) ? 1 : 0;
        }
        reporter.Done(kKmlDone + (kWrittenTo + path));
        return true;
    }
    // Only a path of white space goes unmentioned; a file that could not be
    // written must not look like a success.
    reporter.Error(WithCause(kCannotCreate + path, error));
    return false;
}

// The points whose name or code the file holds as it is, though the programs
// reading it will shift the line's columns or cut the field.
void WarnAboutFields(const DHPointList& list, int kind, Reporter& reporter) {
    for (std::size_t row = 0; row < list.size(); ++row) {
        const std::string trouble = output::FieldTrouble(list[row], kind);
        if (trouble.empty()) continue;
        reporter.AboutPoint(MessageLevel::Warning, trouble + "：其他程序读此成果文件时该行会错列或被截断",
                            {list[row].NewPtName, static_cast<long long>(row), list[row].GPS_ID});
    }
}

}  // namespace

bool WriteResultFile(const DHPointList& list, const std::string& path, int kind, Reporter& reporter,
                     int* writtenOut, KmlPacking packing) {
    if (kind < 0 || kind > kKmlKind) {
        reporter.Error(kUnknownKind);
        return false;
    }
    if (packing == KmlPacking::Kmz && (kind != kKmlKind || !KmzAvailable())) {
        reporter.Error(kind != kKmlKind ? kKmzForKmlOnly : kKmzNotInThisBuild);
        return false;
    }
    // A name of only white space cannot be a file on the desktop platforms
    // our users share files with.
    if (text::Trim(path).empty()) {
        reporter.Warning(kNoPath);
        return false;
    }
    if (ReportUnusableValue(list, reporter)) return false;
    if (kind == kKmlKind) return WriteKmlResult(list, path, packing, reporter, writtenOut);
    int written = 0;
    std::string error;
    try {
        const std::string bytes = BuildResultBytes(list, kind, written);
        if (text::WriteFileAtomically(path, bytes, &error)) {
            WarnAboutFields(list, kind, reporter);
            if (kind == kDxfKind) WarnNamesOutsideGbk(list, reporter);
            if (written > 0) reporter.Done(kConverted + (kWrittenTo + path));
            if (writtenOut) *writtenOut = written;
            return true;
        }
    } catch (const text::EncodingError& e) {
        error = e.what();
    }
    reporter.Error(WithCause(kCannotCreate + path, error));
    return false;
}

}  // namespace linvara
