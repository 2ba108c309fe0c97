#pragma once
#include <QDialog>

#include "common/ui_reporter.h"
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
    QTableWidget& Table() { return *table_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReportReadWarnings();
    void Refresh();

    UiServices& ui_;
    UiReporter reporter_;
    TowerBaseSurvey survey_;
    QLineEdit* dataPath_;
    QLineEdit* outputPath_;
    QTableWidget* table_;
};

}  // namespace linvara::gui
