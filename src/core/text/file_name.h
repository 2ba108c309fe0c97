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

// `path` with the extension of its file name (from its last "." on, a
// leading "." being part of the name) replaced by `extension` ("x.PD" ->
// "x.org", "route.db" -> "route.org"), or with `extension` added when the
// name has none; the folder is kept as it is.
std::string WithExtension(std::string_view path, std::string_view extension);

// The file name without folder and extension ("D:\\jobs\\West.PD" -> "West").
std::string FileStem(std::string_view path);

// A text taken from the data made fit to be part of a file name on Linux and
// Windows: / \ : * ? " < > | and control characters become "_", and so does
// a whole name of "." or "..". Anything else, Chinese included, is kept, so
// the file stays in the folder the user chose.
std::string SafeFileNamePart(std::string_view text);

}  // namespace linvara::text
