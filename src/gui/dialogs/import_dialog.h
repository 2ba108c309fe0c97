#pragma once
#include <QDialog>
#include <string>

#include "import/import_style.h"
#include "import/point_reader.h"
#include "text/text_file.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace linvara::gui {

class ProjectionBox;
class UiServices;

// "导入文本数据": a text or CSV file of points, read in a style (built-in,
// saved by the user, or defined here) with a live preview of the points and
// the lines that cannot be read, into a new project file. OK writes the
// project through the core import; the caller opens it.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportDialog(UiServices& ui, QWidget* parent = nullptr);

    // Reads the file, previews it, and suggests the project beside it.
    void SetInputFile(const QString& path);
    void OnChooseInput();
    void OnChooseTarget();
    void OnSaveStyle();    // under the name in "样式名称"
    void OnDeleteStyle();  // the user style chosen
    // Asks about bad lines and an existing target, writes the project, accepts.
    void OnOk();
    // Reads the file again in the style and projection the fields give.
    void UpdatePreview();
    // UpdatePreview now, or for a large file once the edits pause.
    void RequestPreview();

    // The project the window holds open: the import never replaces it.
    void SetOpenProject(const QString& path) { openProject_ = path; }
    QString TargetPath() const;
    // The style the fields describe; false with the cause.
    bool CurrentStyle(import::ImportStyle& style, QString& error) const;
    const import::ReadPoints& Preview() const { return preview_; }
    std::size_t ImportedPoints() const { return imported_; }

private:
    // import_dialog_style.cpp
    QGroupBox* BuildStyleBox();
    void RestoreLastStyle();
    void FillStyleCombo(const QString& entry);
    void OnStyleChosen();
    void LoadStyle(const import::ImportStyle& style);
    void ShowRawText(const std::string& text);
    void ShowColumns(const import::ImportStyle& style, const std::string& text);
    void ShowPreview(const QString& failure);
    void UpdateStyleButtons();
    bool ReadInput(const QString& path);

    UiServices& ui_;
    QString inputPath_;
    text::TextFile file_;
    std::string fileProblem_;  // "第N行：…" when the file is no text, else empty
    QString openProject_;
    import::ReadPoints preview_;
    std::size_t imported_ = 0;
    bool loading_ = false;

    QLineEdit* inputEdit_;
    QLineEdit* targetEdit_;
    QComboBox* styleCombo_ = nullptr;
    QLineEdit* columnsEdit_ = nullptr;
    QLabel* columnsLabel_ = nullptr;
    QComboBox* delimiterCombo_ = nullptr;
    QSpinBox* skipSpin_ = nullptr;
    QComboBox* encodingCombo_ = nullptr;
    QComboBox* kindRuleCombo_ = nullptr;
    QLineEdit* jPrefixEdit_ = nullptr;
    QLineEdit* zPrefixEdit_ = nullptr;
    QPlainTextEdit* codeMapEdit_ = nullptr;
    QLineEdit* styleNameEdit_ = nullptr;
    QPushButton* deleteStyleButton_ = nullptr;
    ProjectionBox* projection_;
    QCheckBox* swapXY_;
    QPlainTextEdit* rawText_;
    QTableWidget* previewTable_;
    QLabel* summary_;
    QListWidget* badLines_;
    QTimer* previewTimer_;
};

}  // namespace linvara::gui
