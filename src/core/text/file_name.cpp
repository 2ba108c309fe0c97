#include "text/file_name.h"

namespace linvara::text {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string DropLastChars(std::string_view utf8, std::size_t count) {
    std::size_t end = utf8.size();
    for (std::size_t dropped = 0; dropped < count; ++dropped) {
        if (end == 0) return {};
        --end;
        while (end > 0 && IsContinuation(utf8[end])) --end;
    }
    return std::string(utf8.substr(0, end));
}

FileNameParts SplitFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {std::string(name), {}};
    return {std::string(name.substr(0, dot)), std::string(name.substr(dot))};
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    return std::string(path.substr(0, hasExtension ? dot : path.size())) + std::string(extension);
}

std::string FileStem(std::string_view path) { return SplitFileName(path).stem; }

std::string SafeFileNamePart(std::string_view text) {
    if (text == "." || text == "..") return "_";
    std::string out(text);
    for (char& c : out) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return out;
}

}  // namespace linvara::text
