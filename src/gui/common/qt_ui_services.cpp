#include "common/qt_ui_services.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace linvara::gui {

QString AppTitle() { return QStringLiteral("Linvara电力格式转换"); }

namespace {

QWidget* Parent() { return QApplication::activeWindow(); }

// A message box whose buttons speak the program's language whatever
// translations are installed.
QMessageBox::StandardButton Show(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton byDefault = QMessageBox::NoButton) {
    QMessageBox box(icon, caption, text, buttons, Parent());
    if (byDefault != QMessageBox::NoButton) {
        box.setDefaultButton(byDefault);
        box.setEscapeButton(byDefault);
    }
    const std::pair<QMessageBox::StandardButton, const char*> kTexts[] = {
        {QMessageBox::Ok, "确定"}, {QMessageBox::Cancel, "取消"}, {QMessageBox::Yes, "是(&Y)"}, {QMessageBox::No, "否(&N)"}};
    for (const auto& [button, label] : kTexts)
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(label));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// A warning with two ways on and 取消 (also Return, Escape and closing the
// box): 0 or 1 for the way taken, -1 for 取消.
int AskTwoWays(const QString& text, const QString& first, QMessageBox::ButtonRole firstRole, const QString& second,
               QMessageBox::ButtonRole secondRole) {
    QMessageBox box(QMessageBox::Warning, AppTitle(), text, QMessageBox::NoButton, Parent());
    QPushButton* one = box.addButton(first, firstRole);
    QPushButton* two = box.addButton(second, secondRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == one) return 0;
    if (box.clickedButton() == two) return 1;
    return -1;
}

}  // namespace

QString FilterSuffix(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("(*."));
    if (star < 0) return {};
    const qsizetype from = star + 3;
    qsizetype to = from;
    while (to < filter.size() && filter[to] != QLatin1Char(' ') && filter[to] != QLatin1Char(')') &&
           filter[to] != QLatin1Char('*'))
        ++to;
    return filter.mid(from, to - from);
}

void QtUiServices::Info(const QString& text) {
    Show(QMessageBox::Information, AppTitle(), text, QMessageBox::Ok);
}

void QtUiServices::Warning(const QString& text) {
    Show(QMessageBox::Warning, QStringLiteral("提示"), text, QMessageBox::Ok);
}

void QtUiServices::Error(const QString& text) { Show(QMessageBox::Critical, AppTitle(), text, QMessageBox::Ok); }

bool QtUiServices::AskYesNo(const QString& text) {
    return Show(QMessageBox::Question, AppTitle(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtUiServices::OkCancel(const QString& text) {
    return Show(QMessageBox::Question, AppTitle(), text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtUiServices::AskYesNoDefaultNo(const QString& text) {
    return Show(QMessageBox::Question, AppTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtUiServices::OkCancelDefaultCancel(const QString& text) {
    return Show(QMessageBox::Question, AppTitle(), text, QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Cancel) == QMessageBox::Ok;
}

ConflictChoice QtUiServices::AskConflict(const QString& text) {
    switch (AskTwoWays(text, QStringLiteral("保留我的修改"), QMessageBox::AcceptRole, QStringLiteral("加载文件中的数据"),
                       QMessageBox::DestructiveRole)) {
    case 0: return ConflictChoice::KeepMine;
    case 1: return ConflictChoice::LoadTheirs;
    default: return ConflictChoice::Cancel;
    }
}

OrgGateChoice QtUiServices::AskBeforeOrg(const QString& text) {
    switch (AskTwoWays(text, QStringLiteral("查看问题"), QMessageBox::ActionRole, QStringLiteral("仍然转换"),
                       QMessageBox::AcceptRole)) {
    case 0: return OrgGateChoice::ShowProblems;
    case 1: return OrgGateChoice::ConvertAnyway;
    default: return OrgGateChoice::Cancel;
    }
}

bool QtUiServices::OfferCleanCopy(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示"), text, QMessageBox::NoButton, Parent());
    QPushButton* copy = box.addButton(QStringLiteral("保存不含它们的副本…"), QMessageBox::ActionRole);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return box.clickedButton() == copy;
}

QString QtUiServices::GetOpenFileName(const QString& title, const QString& filter, const QString& start) {
    return QFileDialog::getOpenFileName(Parent(), title, start, filter);
}

QString QtUiServices::GetSaveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                                      const QString& suggested) {
    QFileDialog dialog(Parent(), title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // A name typed without an extension gets the one of the type chosen in the dialog.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, defaultSuffix](const QString& chosen) {
        const QString suffix = FilterSuffix(chosen);
        dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUiServices::GetExistingDirectory(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(Parent(), title, start);
}

bool QtUiServices::Exec(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace linvara::gui
