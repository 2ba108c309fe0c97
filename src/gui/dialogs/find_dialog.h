#pragma once
#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace linvara::gui {

class ProjectDocument;

// "查找" (Ctrl+F): finds a point of the working stake list by name (the
// exact name, then names that start with the text, then names that hold it)
// or goes to the point nearest a mileage ("1250", "K1+250"). Return and
// "查找下一个" step through the matches; each is asked to be shown.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { ByName = 0, ByMileage = 1 };

    explicit FindDialog(const ProjectDocument& document, QWidget* parent = nullptr);

    // Shows the next match (the first after the text changed); false when none.
    bool FindNext();
    void SetMode(Mode mode);
    QLineEdit& TextEdit() const { return *text_; }
    QString StatusText() const;

signals:
    void pointRequested(const std::string& gpsId);

private:
    void Restart();

    const ProjectDocument& document_;
    QComboBox* mode_;
    QLineEdit* text_;
    QLabel* status_;
    std::vector<std::string> matches_;  // GPS identities, found when the text changed
    int next_ = 0;
    bool stale_ = true;
};

}  // namespace linvara::gui
