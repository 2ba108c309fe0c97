#include "text/record_file.h"

#include "text/atomic_file.h"
#include "text/encoding.h"

namespace linvara::text {

bool WriteGbkTextFile(const std::string& path, std::string_view utf8WithLf, std::string* error) {
    return WriteFileAtomically(path, ToGbkTextFile(utf8WithLf), error);
}

bool WriteRecordFile(const std::string& path, std::initializer_list<std::span<const std::string>> blocks,
                     std::string* error) {
    std::size_t size = 0;
    for (std::span<const std::string> block : blocks)
        for (const std::string& line : block) size += line.size();
    std::string content;
    content.reserve(size);
    for (std::span<const std::string> block : blocks)
        for (const std::string& line : block) content += line;
    return WriteGbkTextFile(path, content, error);
}

}  // namespace linvara::text
