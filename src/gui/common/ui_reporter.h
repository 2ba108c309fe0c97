#pragma once
#include <functional>

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
    // Offers a copy of the project without its triggers and views, written
    // where the user chooses; the project itself is left as it is.
    void SchemaCodeIgnored(const std::string& text, const std::string& path) override;
    void Progress(long long done, long long total) override {
        if (onProgress) onProgress(done, total);
    }

    // Where long work (opening a large project) shows how far it got.
    std::function<void(long long, long long)> onProgress;

private:
    UiServices& ui_;
};

}  // namespace linvara::gui
