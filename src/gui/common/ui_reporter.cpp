#include "common/ui_reporter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "common/file_filter.h"
#include "db/clean_copy.h"
#include "common/native_path.h"

namespace linvara::gui {
namespace {

// A message box during long work must not show the wait cursor.
class NormalCursor {
public:
    NormalCursor() {
        if (QGuiApplication::overrideCursor()) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
            pushed_ = true;
        }
    }
    ~NormalCursor() {
        if (pushed_) QGuiApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool pushed_ = false;
};

}  // namespace

void UiReporter::Info(const std::string& text) {
    NormalCursor cursor;
    ui_.Info(QString::fromStdString(text));
}

void UiReporter::Warning(const std::string& text) {
    NormalCursor cursor;
    ui_.Warning(QString::fromStdString(text));
}

void UiReporter::Error(const std::string& text) {
    NormalCursor cursor;
    ui_.Error(QString::fromStdString(text));
}

bool UiReporter::Ask(const std::string& text) {
    NormalCursor cursor;
    return ui_.AskYesNo(QString::fromStdString(text));
}

void UiReporter::SchemaCodeIgnored(const std::string& text, const std::string& path) {
    NormalCursor cursor;
    if (!ui_.OfferCleanCopy(QString::fromStdString(text))) return;
    const QFileInfo project(QString::fromStdString(path));
    const QString suggested = project.dir().filePath(project.completeBaseName() + QStringLiteral("_clean.PD"));
    const QString out = ui_.GetSaveFileName(QStringLiteral("保存不含触发器/视图的副本"),
                                            QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"), QStringLiteral("PD"), suggested);
    if (out.isEmpty()) return;
    const Status written = db::WriteCleanCopy(path, CorePath(out));
    if (written)
        ui_.Info(QStringLiteral("已写入不含触发器/视图的副本：") + QDir::toNativeSeparators(out));
    else
        ui_.Error(QString::fromStdString(written.message()));
}

}  // namespace linvara::gui
