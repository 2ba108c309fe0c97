#pragma once
#include <string>
#include <utility>

namespace linvara {

// The outcome of an operation on a project. A failure carries the whole
// message the user reads: the system's text and, where there is one, the
// cause beneath it (SQLite's reason, the file, the line).
class [[nodiscard]] Status {
public:
    enum class Code {
        Ok,
        Failed,
        Conflict,  // another program changed the working tables since they were read or written
    };

    static Status Ok() { return Status(Code::Ok, {}); }
    static Status Failed(std::string message) { return Status(Code::Failed, std::move(message)); }
    static Status Conflict(std::string message) { return Status(Code::Conflict, std::move(message)); }

    bool ok() const { return code_ == Code::Ok; }
    explicit operator bool() const { return ok(); }
    Code code() const { return code_; }
    const std::string& message() const { return message_; }

private:
    Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}
    Code code_;
    std::string message_;
};

// "<text>（<cause>）", or the text alone when there is no cause.
inline std::string WithCause(std::string text, const std::string& cause) {
    if (!cause.empty()) text += "（" + cause + "）";
    return text;
}

}  // namespace linvara
