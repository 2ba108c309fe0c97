#pragma once
#include <QDialog>
#include <string>

#include "common/run_reporter.h"

class QLabel;
class QTableWidget;

namespace linvara::gui {

// The one window that lists what a run said: each message with its kind
// (icon), the point's name and row, and the text. Choosing a row asks for
// its point to be shown. One window serves every run; each run replaces
// what it lists.
class RunReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit RunReportWindow(QWidget* parent = nullptr);

    void Show(const RunOutcome& outcome);
    const RunOutcome& Outcome() const { return outcome_; }
    QTableWidget& Table() const { return *table_; }
    QString Heading() const;

signals:
    // By GPS identity, or by name where the message has none (a tower-base stake).
    void pointRequested(const std::string& gpsId, const QString& name);

private:
    void OnRowChosen(int row);

    RunOutcome outcome_;
    QLabel* heading_;
    QTableWidget* table_;
};

// "错误", "警告" or "提示".
QString LevelText(MessageLevel level);

}  // namespace linvara::gui
