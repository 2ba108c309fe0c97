#include "output/result_builders.h"

#include "output/field_trouble.h"
#include "output/kml_writer.h"
#include "output/result_text.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"
#include "text/gbk.h"

namespace linvara::output {
namespace {

constexpr const char* kConverted = "转换成功!";
constexpr const char* kKmlDone = "转换完成!";
constexpr const char* kWrittenTo = "已写入：";
constexpr const char* kOutsideGbk = "点名含有GBK以外的字符“%s”，DXF中以?代替";

// The points whose name or code the file holds as it is, though the programs
// reading it will shift the line's columns or cut the field.
void WarnAboutFields(const DHPointList& list, int kind, Reporter& reporter) {
    for (std::size_t row = 0; row < list.size(); ++row) {
        const std::string trouble = FieldTrouble(list[row], kind);
        if (trouble.empty()) continue;
        reporter.AboutPoint(MessageLevel::Warning, trouble + "：其他程序读此成果文件时该行会错列或被截断",
                            {list[row].NewPtName, static_cast<long long>(row), list[row].GPS_ID});
    }
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

// Writes the GBK bytes `build` returns (it counts the points into
// `written`), then warns about the fields the kind cannot carry.
template <class Build>
Status WriteTextKind(const DHPointList& list, const std::string& path, int kind, Reporter& reporter, int& written,
                     Build build) {
    std::string error;
    try {
        if (text::WriteFileAtomically(path, build(written), &error)) {
            WarnAboutFields(list, kind, reporter);
            return Status::Ok();
        }
    } catch (const text::EncodingError& e) {
        error = e.what();
    }
    return Status::Failed(WithCause(kCannotCreate + path, error));
}

void SayConverted(const std::string& path, int written, Reporter& reporter) {
    if (written > 0) reporter.Done(kConverted + (kWrittenTo + path));
}

}  // namespace

Status WriteCoordinateListKind(const DHPointList& list, const std::string& path, int kind, KmlPacking,
                               Reporter& reporter, int& written) {
    Status status = WriteTextKind(list, path, kind, reporter, written, [&](int& n) {
        return text::ToGbkTextFile(BuildCoordinateList(list, kind, n));
    });
    if (status) SayConverted(path, written, reporter);
    return status;
}

// The DXF declares code page 936, which has no room for GB18030's other
// characters: they become "?" there.
Status WriteDxfKind(const DHPointList& list, const std::string& path, int kind, KmlPacking, Reporter& reporter,
                    int& written) {
    Status status = WriteTextKind(list, path, kind, reporter, written, [&](int& n) {
        n = static_cast<int>(list.size());
        return text::Utf8ToGbk(BuildDxf(CollectSurveyCoords(list)));
    });
    if (!status) return status;
    WarnNamesOutsideGbk(list, reporter);
    SayConverted(path, written, reporter);
    return status;
}

Status WriteStakeTableKind(const DHPointList& list, const std::string& path, int kind, KmlPacking,
                           Reporter& reporter, int& written) {
    Status status = WriteTextKind(list, path, kind, reporter, written, [&](int& n) {
        return text::ToGbkTextFile(BuildStakeTable(list, n));
    });
    if (status) SayConverted(path, written, reporter);
    return status;
}

Status WriteKmlKind(const DHPointList& list, const std::string& path, int, KmlPacking packing, Reporter& reporter,
                    int& written) {
    Status status = packing == KmlPacking::Kmz ? WriteStakeKmz(list, path) : WriteStakeKml(list, path);
    if (!status) return status;
    written = 0;
    for (const DHPoint& p : list) written += (p.DHType == JStake || p.DHType == ZStake) ? 1 : 0;
    reporter.Done(kKmlDone + (kWrittenTo + path));
    return status;
}

}  // namespace linvara::output
