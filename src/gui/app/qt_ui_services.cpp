#include "app/qt_ui_services.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace linvara::gui {

QString AppTitle() { return QStringLiteral("Linvara电力格式转换"); }

namespace {
QWidget* Parent() { return QApplication::activeWindow(); }
}  // namespace

void QtUiServices::Info(const QString& text) { QMessageBox::information(Parent(), AppTitle(), text); }

void QtUiServices::Warning(const QString& text) {
    QMessageBox::warning(Parent(), QStringLiteral("提示"), text);
}

void QtUiServices::Error(const QString& text) { QMessageBox::critical(Parent(), AppTitle(), text); }

bool QtUiServices::AskYesNo(const QString& text) {
    return QMessageBox::question(Parent(), AppTitle(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtUiServices::OkCancel(const QString& text) {
    return QMessageBox::question(Parent(), AppTitle(), text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

QString QtUiServices::GetOpenFileName(const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(Parent(), title, QString(), filter);
}

QString QtUiServices::GetSaveFileName(const QString& title, const QString& filter,
                                      const QString& defaultSuffix) {
    QFileDialog dialog(Parent(), title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUiServices::GetExistingDirectory(const QString& title) {
    return QFileDialog::getExistingDirectory(Parent(), title);
}

int QtUiServices::Exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace linvara::gui
