#pragma once
// Names and codes a result file cannot carry as they are: the kind's
// delimiter, a double quote, a tab or a line break inside one shifts the
// line's columns or cuts the field for the programs that read the file. The
// writers keep the bytes those programs read; this says which points to
// warn about.
#include <string>
#include <vector>

#include "model/dh_point.h"

namespace linvara::output {

// What in the point's name or code breaks its line in a file of `kind`, in
// words ("点名含有逗号", "点名含有空格、编码含有双引号"); empty when nothing
// does or the kind does not write the point.
std::string FieldTrouble(const DHPoint& p, int kind);

// The result kinds (0..11, in order) whose files the point's name or code
// breaks, and in words what it holds that breaks any of them.
std::vector<int> KindsBrokenBy(const DHPoint& p, std::string& trouble);

}  // namespace linvara::output
