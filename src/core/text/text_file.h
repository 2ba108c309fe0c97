#pragma once
// Reading a text file that comes from elsewhere (a TOW file, a point list, a
// style): whatever its bytes, the read ends soon, holds at most one line
// beyond what it returns, and says which line is not text.
#include <cstddef>
#include <optional>
#include <string>

namespace linvara::text {

// How the file announced its encoding in its first bytes.
enum class ByteOrderMark { None, Utf8, Utf16Le, Utf16Be };

struct TextFile {
    // After a byte-order mark: UTF-8 without the mark (UTF-16 converted, an
    // unpaired surrogate or odd last byte as U+FFFD). Without one: the file's
    // bytes as they are, for the caller to decode.
    std::string text;
    ByteOrderMark mark = ByteOrderMark::None;
    bool Unicode() const { return mark != ByteOrderMark::None; }
};

// Why the file is no text: the line (counted from 1, ends LF, CR LF or CR),
// 0 when the file cannot be read at all, and the Chinese reason.
struct TextFileProblem {
    std::size_t line = 0;
    std::string reason;
};

// Longer lines are no text any program of ours wrote or reads.
inline constexpr std::size_t kMaxTextLineBytes = std::size_t{1} << 20;

// Reads `path` whole, or stops at the first NUL character (a binary file, or
// UTF-16 without its mark) or line longer than `maxLineBytes`.
std::optional<TextFileProblem> ReadTextFile(const std::string& path, TextFile& out,
                                            std::size_t maxLineBytes = kMaxTextLineBytes);

// "第N行：reason", or the reason alone when it is about the whole file.
std::string ProblemText(const TextFileProblem& problem);

}  // namespace linvara::text
