#pragma once
#include "common/ui_services.h"
#include "reporter.h"

namespace linvara::gui {

// The core's messages as message boxes.
class UiReporter : public Reporter {
public:
    explicit UiReporter(UiServices& ui) : ui_(ui) {}
    void Info(const std::string& text) override;
    void Warning(const std::string& text) override;
    void Error(const std::string& text) override;
    bool Ask(const std::string& text) override;

private:
    UiServices& ui_;
};

}  // namespace linvara::gui
