#pragma once
#include <string>

namespace linvara {

// The core never shows anything: operations report through this interface
// with the system's own texts. The desktop program shows message boxes, the
// command line writes to stderr, tests record.
class Reporter {
public:
    virtual ~Reporter() = default;
    // A plain message box (the application title as caption).
    virtual void Info(const std::string& text) = 0;
    // A message with the caption "提示" and a warning icon.
    virtual void Warning(const std::string& text) = 0;
    // A failure the user must know about.
    virtual void Error(const std::string& text) = 0;
    // A Yes/No question; true only for Yes.
    virtual bool Ask(const std::string& text) = 0;
    // Progress of long work, done out of total; ignored by default.
    virtual void Progress(long long /*done*/, long long /*total*/) {}
};

// Drops every message; questions are answered No.
class SilentReporter final : public Reporter {
public:
    void Info(const std::string&) override {}
    void Warning(const std::string&) override {}
    void Error(const std::string&) override {}
    bool Ask(const std::string&) override { return false; }
};

}  // namespace linvara
