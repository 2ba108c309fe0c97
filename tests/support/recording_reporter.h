#pragma once
#include <string>
#include <vector>

#include "reporter.h"
#include "status_or.h"

namespace linvara::testing {

// Keeps every message in order; questions get `answer`.
class RecordingReporter final : public Reporter {
public:
    struct Message {
        std::string kind;  // "info", "warning", "error", "ask"
        std::string text;
    };
    std::vector<Message> messages;
    bool answer = true;

    void Info(const std::string& t) override { messages.push_back({"info", t}); }
    void Warning(const std::string& t) override { messages.push_back({"warning", t}); }
    void Error(const std::string& t) override { messages.push_back({"error", t}); }
    bool Ask(const std::string& t) override {
        messages.push_back({"ask", t});
        return answer;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }
    bool Said(const std::string& text) const {
        for (const auto& m : messages)
            if (m.text == text) return true;
        return false;
    }
};

// Shows a core operation's failure through `reporter`, as the front ends
// do; whether it succeeded.
inline bool Reported(const Status& status, Reporter& reporter) {
    ReportFailure(reporter, status);
    return status.ok();
}
template <class T>
bool Reported(const StatusOr<T>& result, Reporter& reporter) {
    return Reported(result.status(), reporter);
}

}  // namespace linvara::testing
