#pragma once
#include <string>
#include <vector>

#include "status.h"

namespace linvara::text {

// Whether `a` and `b` name one existing file: the same file after resolving
// links, or the same device and inode (a hard link, another spelling of the
// path). False when either does not exist.
bool IsSameExistingFile(const std::string& a, const std::string& b);

// Refuses an output that would replace the project it is made from, or
// another of its sources: "输出文件不能是工程文件本身：<source>", the source
// as the caller names it. Every command and save dialog asks this before
// anything is written, so no conversion can destroy its own survey.
Status RefuseOutputOverProject(const std::string& output, const std::vector<std::string>& sources);

// The same for a file read into a new project: "输出文件不能是导入文件本身：<input>".
Status RefuseOutputOverInput(const std::string& output, const std::string& input);

}  // namespace linvara::text
