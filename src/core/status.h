#pragma once
#include <optional>
#include <string>
#include <utility>

#include "point_ref.h"

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
    // A failure about one point: the message is the text with the point
    // (WithPoint), and a window can still find the point.
    static Status FailedAt(std::string text, PointRef point) {
        Status s(Code::Failed, WithPoint(text, point));
        s.text_ = std::move(text);
        s.point_ = std::move(point);
        return s;
    }

    bool ok() const { return code_ == Code::Ok; }
    explicit operator bool() const { return ok(); }
    Code code() const { return code_; }
    const std::string& message() const { return message_; }
    // The message without the point of FailedAt (the message itself otherwise).
    const std::string& text() const { return point_ ? text_ : message_; }
    // The point of FailedAt; nullptr otherwise.
    const PointRef* point() const { return point_ ? &*point_ : nullptr; }

private:
    Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}
    Code code_;
    std::string message_;
    std::string text_;
    std::optional<PointRef> point_;
};

// "<text>（<cause>）", or the text alone when there is no cause.
inline std::string WithCause(std::string text, const std::string& cause) {
    if (!cause.empty()) text += "（" + cause + "）";
    return text;
}

}  // namespace linvara
