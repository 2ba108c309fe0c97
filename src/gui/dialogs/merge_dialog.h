#pragma once
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "common/run_reporter.h"
#include "merge/project_merge.h"

class QLineEdit;
class QProgressBar;
class QTableWidget;

namespace linvara::gui {

class UiServices;

// "数据合并": the projects of a folder, checked one by one, into one new
// project file.
class MergeDialog : public QDialog {
    Q_OBJECT
public:
    explicit MergeDialog(UiServices& ui, QWidget* parent = nullptr);

    void OnChooseFolder();  // "打开文件夹"
    void OnChooseTarget();  // "保存文件名:"
    void OnMerge();         // "合并"

    QTableWidget& FileList() { return *files_; }
    const std::string& Folder() const { return folder_; }
    const std::string& TargetPath() const { return target_; }
    // Whether the target existed when chosen: the user agreed to replace it.
    bool ReplacesTarget() const { return replace_; }
    // Told what each merge said, instead of a message box per message.
    std::function<void(const RunOutcome&)> onRunFinished;

private:
    std::vector<MergeSource> CheckedSources() const;

    UiServices& ui_;
    std::string folder_;
    std::string target_;
    bool replace_ = false;
    std::vector<MergeSource> sources_;
    QLineEdit* folderEdit_;
    QLineEdit* targetEdit_;
    QTableWidget* files_;
    QProgressBar* progress_;
};

}  // namespace linvara::gui
