#pragma once
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "common/ui_reporter.h"
#include "reporter.h"

namespace linvara::gui {

class UiServices;

// One message of a run, with the point it concerns (empty name: none).
struct RunMessage {
    MessageLevel level = MessageLevel::Info;
    QString text;
    QString pointName;
    long long row = -1;  // in the working stake list, from 0; -1 none
    std::string gpsId;
};

// What one conversion, export, tower-base conversion or merge said.
struct RunOutcome {
    QString title;                     // the command, e.g. "转换ORG文件"
    std::vector<RunMessage> messages;  // in the order they were raised
    QString doneText;                  // the closing word when it completed, or empty
    QString outputPath;                // the file or folder written, or empty
    long long written = -1;            // points written, -1 when not counted
};

// Between Begin and Finish it collects the messages of one run instead of
// showing a box for each, so a run over 20 000 points ends with one report
// rather than a hundred boxes; questions are still asked at once. Outside a
// run it shows the messages as message boxes.
// Shows what a run said one message box at a time, where no window can list
// it (a dialog on its own).
void ShowOutcomeAsBoxes(UiServices& ui, const RunOutcome& outcome);

class RunReporter final : public Reporter {
public:
    explicit RunReporter(UiServices& ui) : boxes_(ui) {}

    void Begin(const QString& title);
    // Ends the run and hands over what it said.
    RunOutcome Finish(const QString& outputPath = {}, long long written = -1);
    bool Running() const { return running_; }

    void Info(const std::string& text) override { Add(MessageLevel::Info, text, {}); }
    void Warning(const std::string& text) override { Add(MessageLevel::Warning, text, {}); }
    void Error(const std::string& text) override { Add(MessageLevel::Error, text, {}); }
    bool Ask(const std::string& text) override { return boxes_.Ask(text); }
    void Progress(long long done, long long total) override {
        if (onProgress) onProgress(done, total);
    }
    void AboutPoint(MessageLevel level, const std::string& text, const PointRef& point) override {
        Add(level, text, &point);
    }
    void Done(const std::string& text) override;

    std::function<void(long long, long long)> onProgress;

private:
    void Add(MessageLevel level, const std::string& text, const PointRef* point);

    UiReporter boxes_;
    bool running_ = false;
    RunOutcome outcome_;
};

}  // namespace linvara::gui
