// The plan drawing as a crew hands it in: the demo's stakes where the plan
// view puts them, PDF pages of the chosen paper, well-formed SVG, the
// command line's failures leaving no file, and the desktop's File actions.
#include <QImage>
#include <QMainWindow>
#include <QPrinter>
#include <QProcess>
#include <QStatusBar>
#include <QSpinBox>
#include <QComboBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QXmlStreamReader>
#include <QtTest>
#include <filesystem>

#include "app/project_document.h"
#include "dialogs/deliverable_actions.h"
#include "dialogs/plan_export_dialog.h"
#include "gui_test_support.h"
#include "plan/plan_output.h"
#include "plan/plan_sheet.h"
#include "plan/plot_scale_bar.h"
#include "support/cli_runner.h"
#include "views/plan_view.h"

using namespace linvara::gui;
using namespace linvara::gui::testing;
namespace fs = std::filesystem;

namespace {

// A copy of the bundled demo opened by a document, as the desktop opens it.
struct Demo {
    linvara::testing::TempDir dir;
    FakeUi ui;
    linvara::SilentReporter reporter;
    ProjectDocument document{ui, reporter};
    std::string path = dir.File("demo.PD");

    // Views made before Open follow the document from the start.
    Demo() { fs::copy_file(LINVARA_SOURCE_DIR "/examples/demo.PD", path); }
    bool Open() { return document.Open(QString::fromStdString(path)); }
    PlanSource Source() const { return {document.Points(), QStringLiteral("demo"), QStringLiteral("2026-01-01")}; }
    QString Out(const char* name) const { return QString::fromStdString(dir.File(name)); }
};

bool Near(const QColor& a, const QColor& b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Whether a pixel of `colour` lies in `box` of the image.
bool AnyPixel(const QImage& image, const QRect& box, const QColor& colour) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.rect().contains(x, y) && Near(image.pixelColor(x, y), colour, 40)) return true;
    return false;
}

QString PdfInfo(const QString& file) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {file});
    if (!pdfinfo.waitForFinished(30000)) return {};
    return QString::fromUtf8(pdfinfo.readAllStandardOutput());
}

bool HavePdfInfo() { return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(); }

// Runs linvara-cli in the demo's folder.
linvara::testing::CliRun Cli(const Demo& demo, const std::string& args) {
    const fs::path before = fs::current_path();
    fs::current_path(demo.dir.path());
    auto run = linvara::testing::RunCommandLine(LINVARA_CLI, demo.dir.Utf8(), args);
    fs::current_path(before);
    return run;
}

// Files of the folder other than the project and the captured streams.
QStringList Leftovers(const Demo& demo) {
    QStringList names;
    for (const auto& entry : fs::directory_iterator(demo.dir.path())) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (!name.endsWith(QLatin1String(".PD")) && name != QLatin1String("out.txt") && name != QLatin1String("err.txt") &&
            !name.endsWith(QLatin1String(".linvara-lock")))
            names << name;
    }
    return names;
}

}  // namespace

class PlanExportTest : public QObject {
    Q_OBJECT
private slots:
    void pngShowsStakesWhereThePlanViewPutsThem_data();
    void pngShowsStakesWhereThePlanViewPutsThem();
    void pdfHasOnePageOfThePaper_data();
    void pdfHasOnePageOfThePaper();
    void svgIsWellFormed();
    void commandLineFailuresLeaveNoFile_data();
    void commandLineFailuresLeaveNoFile();
    void roundNumbers();
    void exportDialogAndWorkbookFromTheFileMenu();
    void printPaintsOnePage();
};

void PlanExportTest::pngShowsStakesWhereThePlanViewPutsThem_data() {
    QTest::addColumn<bool>("labels");
    QTest::newRow("labels on") << true;
    QTest::newRow("labels off") << false;
}

void PlanExportTest::pngShowsStakesWhereThePlanViewPutsThem() {
    QFETCH(bool, labels);
    Demo demo;
    const QSize size(1200, 900);
    PlanOptions options;
    options.size = size;
    options.labels = labels;
    const QString file = demo.Out("demo.png");

    // The plan view, sized as the sheet's map and centred with 居中显示.
    const QRect map = plan_sheet::MapRect(QRect(QPoint(0, 0), size), PlanLook::Paper(1.0));
    PlanView view(demo.document);
    view.resize(map.size());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(demo.Open());
    // A loaded machine may deliver the window's own geometry late: centre
    // only once the view has the map's size, or the positions compared differ.
    QTRY_COMPARE(view.size(), map.size());
    QCoreApplication::processEvents();
    view.OnCenter();
    QVERIFY(WritePlan(demo.Source(), file, options).ok());
    const QImage image(file);
    QCOMPARE(image.size(), size);
    const PlanLook paper = PlanLook::Paper(1.0);
    int stakes = 0;
    for (const auto& p : demo.document.Points()) {
        if (p.DHType != linvara::JStake && p.DHType != linvara::ZStake) continue;
        const ScreenPoint s = view.Canvas().Geometry().WorldToScreen(p.Dx, p.Dy);
        const QPoint pixel = map.topLeft() + QPoint(s.x, s.y);
        const QColor colour = paper.PointColour(p.DHType);
        QVERIFY2(Near(image.pixelColor(pixel), colour),
                 qPrintable(QStringLiteral("%1 at (%2, %3): %4, not %5")
                                .arg(QString::fromStdString(p.NewPtName))
                                .arg(pixel.x())
                                .arg(pixel.y())
                                .arg(image.pixelColor(pixel).name(), colour.name())));
        // The label starts just right of the symbol, in the stake's colour.
        const QRect label(pixel + QPoint(8, 2), QSize(30, 12));
        QVERIFY2(AnyPixel(image, label, colour) == labels, qPrintable(QString::fromStdString(p.NewPtName)));
        ++stakes;
    }
    QCOMPARE(stakes, 17);  // J1..J10 and Z1..Z7
}

void PlanExportTest::pdfHasOnePageOfThePaper_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("paper");
    QTest::newRow("A4 fitted") << QString() << QStringLiteral("(A4)");
    QTest::newRow("A3 at 1:5000") << QStringLiteral("--paper A3 --scale 1:5000") << QStringLiteral("(A3)");
}

void PlanExportTest::pdfHasOnePageOfThePaper() {
    QFETCH(QString, options);
    QFETCH(QString, paper);
    if (!HavePdfInfo()) QSKIP("pdfinfo (poppler-utils) is not installed");
    Demo demo;
    const auto run = Cli(demo, "plan demo.PD -o plan.pdf " + options.toStdString());
    QCOMPARE(run.exitCode, 0);
    const QString info = PdfInfo(demo.Out("plan.pdf"));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:.*") + QRegularExpression::escape(paper))),
             qPrintable(info));
}

void PlanExportTest::svgIsWellFormed() {
    Demo demo;
    const auto run = Cli(demo, "plan demo.PD -o plan.svg --size 800x600 --labels off");
    QCOMPARE(run.exitCode, 0);
    QVERIFY(demo.Open());
    QFile file(demo.Out("plan.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString root;
    int circles = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (root.isEmpty()) root = xml.name().toString();
        if (xml.name() == QLatin1String("circle") || xml.name() == QLatin1String("ellipse")) ++circles;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(root, QStringLiteral("svg"));
    // Vector symbols, not pictures: two shapes per point at least.
    QVERIFY(circles >= 2 * static_cast<int>(demo.document.Points().size()));
}

void PlanExportTest::commandLineFailuresLeaveNoFile_data() {
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << "plan demo.PD -o nofolder/plan.png" << 1 << "写入平面图失败：" + QDir::toNativeSeparators("nofolder/plan.png");
    QTest::newRow("a folder as target") << "plan demo.PD -o folder.pdf" << 1 << "写入平面图失败：folder.pdf";
    QTest::newRow("empty project") << "plan empty.PD -o plan.png" << 1 << "工程中没有点：";
    QTest::newRow("unknown kind") << "plan demo.PD -o plan.jpg" << 2 << ".png、.svg 或 .pdf";
    QTest::newRow("paper for PNG") << "plan demo.PD -o plan.png --paper A3" << 2 << "只用于 PDF";
    QTest::newRow("bad scale") << "plan demo.PD -o plan.pdf --scale 2000" << 2 << "1:N";
}

void PlanExportTest::commandLineFailuresLeaveNoFile() {
    QFETCH(QString, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    Demo demo;
    linvara::testing::WriteCollectorProject(demo.dir.File("empty.PD"), {});
    fs::create_directory(demo.dir.path() / "folder.pdf");
    const auto run = Cli(demo, args.toStdString());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromStdString(run.err).contains(message), run.err.c_str());
    QStringList left = Leftovers(demo);
    left.removeAll(QStringLiteral("folder.pdf"));
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
}

void PlanExportTest::roundNumbers() {
    struct Case {
        double in;
        int scale;
        double bar;
    };
    // Scales round up (the route must fit), bar lengths round down (the bar must fit).
    for (const Case& c : {Case{1, 1, 1}, Case{1999.99999999999, 2000, 1000}, Case{2001, 2500, 2000},
                          Case{4300, 5000, 2000}, Case{7600, 10000, 5000}, Case{19046, 20000, 10000}}) {
        QCOMPARE(RoundScaleAtLeast(c.in), c.scale);
        QCOMPARE(RoundBarLength(c.in), c.bar);
    }
    QCOMPARE(ParsePlanScale(QStringLiteral("1:2000")), 2000);
    QCOMPARE(ParsePlanScale(QStringLiteral(" 1：500 ")), 500);
    QCOMPARE(ParsePlanScale(QStringLiteral("适合页面")), 0);
    QCOMPARE(ParsePlanScale(QStringLiteral("2000")), -1);
    QCOMPARE(ParsePlanScale(QStringLiteral("1:0")), -1);
}

void PlanExportTest::exportDialogAndWorkbookFromTheFileMenu() {
    Demo demo;
    QVERIFY(demo.Open());
    QMainWindow window;
    DeliverableActions actions(demo.document, demo.ui, &window);
    QVERIFY(actions.ExportPlanAction()->isEnabled());
    const QString svg = demo.Out("from_dialog.svg");
    demo.ui.dialogs.push_back(FillThenOk<PlanExportDialog>([&](PlanExportDialog& d) {
        // The suggested file sits beside the project, named after it.
        QCOMPARE(d.PathField().text(), demo.Out("demo_平面图.pdf"));
        QVERIFY(!d.WidthField().isEnabled() && d.ScaleField().isEnabled());
        d.PathField().setText(svg);
        QVERIFY(d.WidthField().isEnabled() && !d.ScaleField().isEnabled());
        d.WidthField().setValue(640);
        d.HeightField().setValue(480);
    }));
    actions.OnExportPlan();
    QVERIFY2(demo.ui.messages.empty(), qPrintable(demo.ui.Texts().join(QLatin1Char('\n'))));
    QVERIFY(QFileInfo::exists(svg));
    QVERIFY(window.statusBar()->currentMessage().contains(QDir::toNativeSeparators(svg)));

    const QString book = demo.Out("成果.xlsx");
    demo.ui.saveFiles.push_back(book);
    actions.OnWorkbook();
    QCOMPARE(demo.ui.lastSuffix, QStringLiteral("xlsx"));
    QVERIFY(demo.ui.messages.empty());
    QCOMPARE(linvara::testing::ReadFileBytes(book.toStdString()).substr(0, 2), std::string("PK"));

    // A dialog refuses a scale it cannot read and stays open.
    demo.ui.dialogs.push_back(FillThenOk<PlanExportDialog>([](PlanExportDialog& d) { d.ScaleField().setEditText(QStringLiteral("2000")); }));
    actions.OnExportPlan();
    QCOMPARE(demo.ui.Kinds(), QStringList{QStringLiteral("warning")});

    demo.document.Close();
    QVERIFY(!actions.PrintAction()->isEnabled() && !actions.WorkbookAction()->isEnabled());
}

void PlanExportTest::printPaintsOnePage() {
    if (!HavePdfInfo()) QSKIP("pdfinfo (poppler-utils) is not installed");
    Demo demo;
    QVERIFY(demo.Open());
    QMainWindow window;
    DeliverableActions actions(demo.document, demo.ui, &window);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A3));
    printer.setOutputFileName(demo.Out("printed.pdf"));
    actions.PrintPlan(printer);
    const QString info = PdfInfo(demo.Out("printed.pdf"));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))) && info.contains(QStringLiteral("(A3)")),
             qPrintable(info));
}

QTEST_MAIN(PlanExportTest)
#include "plan_export_test.moc"
