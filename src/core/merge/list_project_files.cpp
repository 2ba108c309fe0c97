#include <algorithm>
#include <filesystem>

#include "merge/project_merge.h"
#include "text/file_system.h"

namespace linvara {
namespace {

bool HasProjectExtension(const std::string& name) {
    if (name.size() < 3) return false;
    const std::string tail = name.substr(name.size() - 3);
    return tail[0] == '.' && (tail[1] == 'P' || tail[1] == 'p') && (tail[2] == 'D' || tail[2] == 'd');
}

}  // namespace

std::vector<MergeSource> ListProjectFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(text::FsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        std::string name = text::Utf8Path(it->path().filename());
        if (HasProjectExtension(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned char
    std::vector<MergeSource> sources;
    for (std::string& name : names) sources.push_back({std::move(name), true});
    return sources;
}

}  // namespace linvara
