#include "text/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>

#include "text/file_system.h"
#include "text/format.h"

namespace linvara::text {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Counts lines and their lengths as the text goes by; the first character
// that makes the file no text leaves `problem` set.
class LineWatch {
public:
    explicit LineWatch(std::size_t maxLine) : maxLine_(maxLine) {}

    // One character of the text and the bytes it takes there; false once
    // the file is found to be no text.
    bool Take(char32_t c, std::size_t bytes) {
        if (c == U'\n' && afterCr_) {  // CR LF ends one line
            afterCr_ = false;
            return true;
        }
        afterCr_ = c == U'\r';
        if (c == U'\n' || c == U'\r') {
            ++line_;
            length_ = 0;
            return true;
        }
        if (c == 0) return Fail("含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）");
        length_ += bytes;
        if (length_ > maxLine_) return Fail(Format("一行超过%zu字节：不是文本文件", maxLine_));
        return true;
    }

    std::optional<TextFileProblem> problem;

private:
    bool Fail(std::string reason) {
        problem = TextFileProblem{line_, std::move(reason)};
        return false;
    }

    std::size_t maxLine_;
    std::size_t line_ = 1;
    std::size_t length_ = 0;
    bool afterCr_ = false;
};

// UTF-16 code units to UTF-8, across chunk boundaries.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

    bool Feed(std::string_view bytes, std::string& out, LineWatch& watch) {
        for (char b : bytes) {
            if (!havePending_) {
                pending_ = static_cast<unsigned char>(b);
                havePending_ = true;
                continue;
            }
            havePending_ = false;
            const unsigned char second = static_cast<unsigned char>(b);
            const char16_t unit = static_cast<char16_t>(bigEndian_ ? (pending_ << 8) | second : (second << 8) | pending_);
            if (!Unit(unit, out, watch)) return false;
        }
        return true;
    }

    // The end of the file: a high surrogate or a lone byte left is U+FFFD.
    bool Finish(std::string& out, LineWatch& watch) {
        if (high_ != 0 || havePending_) {
            high_ = 0;
            return Emit(0xFFFD, out, watch);
        }
        return true;
    }

private:
    bool Unit(char16_t unit, std::string& out, LineWatch& watch) {
        if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
            const char32_t cp = 0x10000 + ((static_cast<char32_t>(high_) - 0xD800) << 10) + (unit - 0xDC00);
            high_ = 0;
            return Emit(cp, out, watch);
        }
        if (high_ != 0) {
            high_ = 0;
            if (!Emit(0xFFFD, out, watch)) return false;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            high_ = unit;
            return true;
        }
        return Emit(unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit, out, watch);
    }

    static bool Emit(char32_t cp, std::string& out, LineWatch& watch) {
        const std::size_t before = out.size();
        AppendUtf8(out, cp);
        return watch.Take(cp, out.size() - before);
    }

    bool bigEndian_;
    unsigned char pending_ = 0;
    bool havePending_ = false;
    char16_t high_ = 0;
};

bool FeedBytes(std::string_view bytes, std::string& out, LineWatch& watch) {
    for (char b : bytes)
        if (!watch.Take(static_cast<unsigned char>(b), 1)) return false;
    out.append(bytes);
    return true;
}

ByteOrderMark MarkOf(std::string_view start) {
    if (start.starts_with("\xEF\xBB\xBF")) return ByteOrderMark::Utf8;
    if (start.starts_with("\xFF\xFE")) return ByteOrderMark::Utf16Le;
    if (start.starts_with("\xFE\xFF")) return ByteOrderMark::Utf16Be;
    return ByteOrderMark::None;
}

std::size_t MarkSize(ByteOrderMark mark) {
    return mark == ByteOrderMark::Utf8 ? 3 : mark == ByteOrderMark::None ? 0 : 2;
}

}  // namespace

std::optional<TextFileProblem> ReadTextFile(const std::string& path, TextFile& out, std::size_t maxLineBytes) {
    out = {};
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in) return TextFileProblem{0, std::strerror(errno)};
    LineWatch watch(maxLineBytes);
    std::optional<Utf16Decoder> utf16;
    std::string chunk(kChunk, '\0');
    for (bool first = true;; first = false) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        std::string_view bytes(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (in.bad()) return TextFileProblem{0, std::strerror(errno)};
        if (first) {
            out.mark = MarkOf(bytes);
            bytes.remove_prefix(MarkSize(out.mark));
            if (out.mark == ByteOrderMark::Utf16Le || out.mark == ByteOrderMark::Utf16Be)
                utf16.emplace(out.mark == ByteOrderMark::Utf16Be);
        }
        const bool fed = utf16 ? utf16->Feed(bytes, out.text, watch) : FeedBytes(bytes, out.text, watch);
        if (!fed) return watch.problem;
        if (in.eof()) break;
    }
    if (utf16 && !utf16->Finish(out.text, watch)) return watch.problem;
    return std::nullopt;
}

std::string ProblemText(const TextFileProblem& problem) {
    return problem.line == 0 ? problem.reason : Format("第%zu行：%s", problem.line, problem.reason.c_str());
}

}  // namespace linvara::text
