#pragma once
#include <QDialog>
#include <functional>

#include "common/run_reporter.h"
#include "towerbase/tower_base_survey.h"

class QLineEdit;
class QTableWidget;

namespace linvara::gui {

class UiServices;

// "塔基断面": a modeless window over one tower-base section survey. It
// deletes itself when closed; several can be open at once.
class TowerBaseDialog : public QDialog {
    Q_OBJECT
public:
    explicit TowerBaseDialog(UiServices& ui, QWidget* parent = nullptr);

    void OnOpenFile();     // "打开文件"
    void OnChooseOutput(); // "成果保存路径"
    void OnConvert();      // "转换"

    const TowerBaseSurvey& Survey() const { return survey_; }
    // The open project: the file dialogs start beside it.
    void SetProjectPath(const QString& path) { projectPath_ = path; }
    // Told what each conversion said, instead of a message box per message.
    std::function<void(const RunOutcome&)> onRunFinished;
    QTableWidget& Table() { return *table_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReportReadWarnings();
    // One conversion, its messages collected into one report.
    TowerBaseSurvey::ConvertResult ConvertReported();
    void Refresh();

    UiServices& ui_;
    RunReporter reporter_;
    QString projectPath_;
    TowerBaseSurvey survey_;
    QLineEdit* dataPath_;
    QLineEdit* outputPath_;
    QTableWidget* table_;
};

}  // namespace linvara::gui
