#include "app/window_report.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>

#include "app/main_window.h"
#include "views/point_list_model.h"
#include "views/point_table_view.h"

namespace linvara::gui {
namespace {

// Long enough for the window system to have drawn the maximised window.
constexpr int kSettleMs = 1500;

QByteArray Describe(const MainWindow& window) {
    const QAbstractItemModel& model = window.PointTable().Model();
    QString text = QStringLiteral("title\t%1\nrows\t%2\n").arg(window.windowTitle()).arg(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

// Null, or a single colour: no picture of a window that shows a list.
bool OneColour(const QImage& image) {
    if (image.isNull()) return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first) return false;
    return true;
}

bool WriteReport(MainWindow& window, const QString& path) {
    QSaveFile report(path);
    if (!report.open(QIODevice::WriteOnly) || report.write(Describe(window)) < 0 || !report.commit()) return false;
    // From the screen, not the widget: what the window system really shows.
    // Some (Wine under display scaling) give an empty picture; then the
    // window as Qt paints it.
    QScreen* screen = window.screen();
    QPixmap shot = screen ? screen->grabWindow(window.winId()) : QPixmap();
    if (OneColour(shot.toImage())) shot = window.grab();
    return !shot.isNull() && shot.save(path + QStringLiteral(".png"), "PNG");
}

}  // namespace

void ReportWindowThenQuit(MainWindow& window, const QString& path) {
    QTimer::singleShot(kSettleMs, &window, [&window, path] {
        QCoreApplication::exit(WriteReport(window, path) ? 0 : 1);
    });
}

}  // namespace linvara::gui
