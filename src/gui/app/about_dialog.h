#pragma once
#include <QDialog>

namespace linvara::gui {

// "关于 Linvara": icon, version and the date the program was built.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    QString BuildDateLine() const;

private:
    QString buildDateLine_;
};

}  // namespace linvara::gui
