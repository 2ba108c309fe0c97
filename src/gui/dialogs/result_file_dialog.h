#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "common/run_reporter.h"
#include "model/dh_point_list.h"

class QCheckBox;
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
    void OnKmzToggled(bool kmz);  // "打包为KMZ"
    void OnChoosePath();          // "成果文件"
    void OnConvert();             // "转换"

    int Kind() const { return kind_; }
    const std::string& ResultPath() const { return path_; }
    // The extension of the chosen kind, which the path follows: "kmz" for
    // the KML kind packed as KMZ.
    std::string DefaultExtension() const;
    // The KML kind is to be written as a KMZ archive.
    bool Kmz() const;
    QComboBox& KindList() { return *kinds_; }
    // The open project: the save dialog starts beside it with a name made
    // of its title and the kind.
    void SetProjectPath(const QString& path) { projectPath_ = path; }

    // Told what each conversion said, instead of a message box per message.
    std::function<void(const RunOutcome&)> onRunFinished;

private:
    const DHPointList& list_;
    UiServices& ui_;
    RunReporter reporter_;
    int kind_ = 0;
    std::string path_;
    QString projectPath_;
    QComboBox* kinds_;
    QCheckBox* kmz_;
    QLineEdit* pathEdit_;

    void FollowExtension();
};

}  // namespace linvara::gui
