#include "org/org_conversion.h"

#include <utility>

#include "model/point_values.h"
#include "org/org_record_builder.h"
#include "text/file_name.h"

namespace linvara {

std::string OrgFilePath(const std::string& chosenPath) { return text::WithExtension(chosenPath, ".org"); }

Status ConvertToOrg(DHPointList points, const std::string& path, Reporter& reporter) {
    if (Status usable = UsableValues(points); !usable) return usable;
    OrgRecordBuilder records(std::move(points), reporter);
    records.Build();
    const std::string file = OrgFilePath(path);
    Status written = WriteOrgRecords(file, records.MainRecords(), records.TrailerRecords());
    if (written) reporter.Done("转换ORG文件成功！已写入：" + file);
    return written;
}

}  // namespace linvara
