#pragma once
#include <string>

#include "point_ref.h"
#include "status.h"

namespace linvara {

// How serious a message is; the desktop program shows the matching icon.
enum class MessageLevel { Info, Warning, Error };

// The core never shows anything: operations report through this interface
// with the system's own texts. The desktop program collects the messages of
// one run into one report, the command line writes to stderr, tests record.
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

    // A message about one point. By default the text with the point's name.
    virtual void AboutPoint(MessageLevel level, const std::string& text, const PointRef& point) {
        const std::string full = WithPoint(text, point);
        switch (level) {
            case MessageLevel::Info: Info(full); break;
            case MessageLevel::Warning: Warning(full); break;
            case MessageLevel::Error: Error(full); break;
        }
    }
    // The closing word of a run that completed ("转换ORG文件成功！"). By
    // default a plain message; the desktop shows it in the status bar when
    // nothing else was said.
    virtual void Done(const std::string& text) { Info(text); }
    // The project file `path` carries triggers or views that this program
    // does not run. By default a warning; the desktop offers a cleaned copy.
    virtual void SchemaCodeIgnored(const std::string& text, const std::string& /*path*/) { Warning(text); }
};

// Shows a failed operation's message: about its point when it names one,
// as a plain error otherwise. Nothing for success.
inline void ReportFailure(Reporter& reporter, const Status& status) {
    if (status.ok()) return;
    if (const PointRef* point = status.point())
        reporter.AboutPoint(MessageLevel::Error, status.text(), *point);
    else
        reporter.Error(status.message());
}

// Drops every message; questions are answered No.
class SilentReporter final : public Reporter {
public:
    void Info(const std::string&) override {}
    void Warning(const std::string&) override {}
    void Error(const std::string&) override {}
    bool Ask(const std::string&) override { return false; }
};

}  // namespace linvara
