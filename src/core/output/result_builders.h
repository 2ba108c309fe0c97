#pragma once
// The builders of the result kinds' table: each writes one kind's file to a
// path the writer has checked, warns about what the file cannot carry as it
// is and says "done".
#include <string>

#include "output/result_kinds.h"

namespace linvara::output {

inline constexpr const char* kCannotCreate = "新建成果文件出错：";
inline constexpr const char* kNoResultPath = "请先选择成果文件的保存路径";

// Kinds 0..5, 7, 9, 10: the coordinate lists.
Status WriteCoordinateListKind(const DHPointList& list, const std::string& path, int kind, KmlPacking packing,
                               Reporter& reporter, int& written);
// Kind 6: the DXF point file.
Status WriteDxfKind(const DHPointList& list, const std::string& path, int kind, KmlPacking packing,
                    Reporter& reporter, int& written);
// Kind 8: the stake table.
Status WriteStakeTableKind(const DHPointList& list, const std::string& path, int kind, KmlPacking packing,
                           Reporter& reporter, int& written);
// Kind 11: the J and Z stakes as KML, or as a KMZ archive.
Status WriteKmlKind(const DHPointList& list, const std::string& path, int kind, KmlPacking packing,
                    Reporter& reporter, int& written);

}  // namespace linvara::output
