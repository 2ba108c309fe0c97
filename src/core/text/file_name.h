#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace linvara::text {

// `utf8` without its last `count` characters (code points); empty when it
// has fewer. Output names are cut by characters, never by bytes, so a
// Chinese name loses whole characters.
std::string DropLastChars(std::string_view utf8, std::size_t count);

// A file name taken off its folder (after the last "/" or "\") and split at
// its last ".".
struct FileNameParts {
    std::string stem;
    std::string extension;  // from the "." on; empty when the name has none
};
FileNameParts SplitFileName(std::string_view path);

// The file name without folder and extension ("D:\\jobs\\West.PD" -> "West").
std::string FileStem(std::string_view path);

// A text taken from the data made fit to be part of a file name on Linux and
// Windows: / \ : * ? " < > | and control characters become "_", and so does
// a whole name of "." or "..". Anything else, Chinese included, is kept, so
// the file stays in the folder the user chose.
std::string SafeFileNamePart(std::string_view text);

}  // namespace linvara::text
