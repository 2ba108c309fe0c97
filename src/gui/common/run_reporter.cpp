#include "common/run_reporter.h"

#include <utility>

#include "common/ui_services.h"

namespace linvara::gui {

void ShowOutcomeAsBoxes(UiServices& ui, const RunOutcome& outcome) {
    for (const RunMessage& m : outcome.messages) {
        const QString text = m.pointName.isEmpty()
                                 ? m.text
                                 : QString::fromStdString(WithPoint(m.text.toStdString(),
                                                                    {m.pointName.toStdString(), m.row, m.gpsId}));
        switch (m.level) {
            case MessageLevel::Info: ui.Info(text); break;
            case MessageLevel::Warning: ui.Warning(text); break;
            case MessageLevel::Error: ui.Error(text); break;
        }
    }
    if (!outcome.doneText.isEmpty()) ui.Info(outcome.doneText);
}

void RunReporter::Begin(const QString& title) {
    outcome_ = RunOutcome{};
    outcome_.title = title;
    running_ = true;
}

RunOutcome RunReporter::Finish(const QString& outputPath, long long written) {
    running_ = false;
    outcome_.outputPath = outputPath;
    outcome_.written = written;
    return std::exchange(outcome_, RunOutcome{});
}

void RunReporter::Add(MessageLevel level, const std::string& text, const PointRef* point) {
    if (!running_) {
        const std::string shown = point ? WithPoint(text, *point) : text;
        switch (level) {
            case MessageLevel::Info: boxes_.Info(shown); break;
            case MessageLevel::Warning: boxes_.Warning(shown); break;
            case MessageLevel::Error: boxes_.Error(shown); break;
        }
        return;
    }
    RunMessage message{level, QString::fromStdString(text), {}, -1, {}};
    if (point) {
        message.pointName = QString::fromStdString(point->name);
        message.row = point->row;
        message.gpsId = point->gpsId;
    }
    outcome_.messages.push_back(std::move(message));
}

void RunReporter::Done(const std::string& text) {
    if (!running_) {
        boxes_.Info(text);
        return;
    }
    outcome_.doneText = QString::fromStdString(text);
}

}  // namespace linvara::gui
