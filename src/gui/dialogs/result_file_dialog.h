#pragma once
#include <QDialog>
#include <string>

#include "common/ui_reporter.h"
#include "model/dh_point_list.h"

class QComboBox;
class QLineEdit;

namespace linvara::gui {

class UiServices;

// "文件格式转换输出": writes one result file of the chosen kind from the
// current list.
class ResultFileDialog : public QDialog {
    Q_OBJECT
public:
    ResultFileDialog(const DHPointList& list, UiServices& ui, QWidget* parent = nullptr);

    void OnKindChanged(int kind);
    void OnChoosePath();  // "成果文件"
    void OnConvert();     // "转换"

    int Kind() const { return kind_; }
    const std::string& ResultPath() const { return path_; }
    const std::string& DefaultExtension() const { return extension_; }
    QComboBox& KindList() { return *kinds_; }

private:
    const DHPointList& list_;
    UiServices& ui_;
    UiReporter reporter_;
    int kind_ = 0;
    std::string path_;
    std::string extension_ = "dat";
    QComboBox* kinds_;
    QLineEdit* pathEdit_;
};

}  // namespace linvara::gui
