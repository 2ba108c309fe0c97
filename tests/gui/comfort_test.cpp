// Day-long work with the desktop program: one report per run instead of a
// box per message, file dialogs that follow the kind and start beside the
// project, the workspace remembered, Qt's own buttons in Chinese, find.
#include <QDialogButtonBox>
#include <algorithm>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QScopeGuard>
#include <QTest>
#include <QTreeView>

#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "app/recent_files.h"
#include "app/translations.h"
#include "common/point_search.h"
#include "common/qt_ui_services.h"
#include "common/workspace.h"
#include "dialogs/find_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/options_dialog.h"
#include "gui_test_support.h"
#include "views/check_panel.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"
#include "views/run_report_window.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::CollectorPoint;
using linvara::testing::Surveyed;
using linvara::testing::TempDir;

namespace {

// Three J stakes; between them `features` two-point features whose
// auxiliary point was never surveyed: each one a message of the ORG conversion.
std::vector<CollectorPoint> LineWithOrphans(int features) {
    std::vector<CollectorPoint> points = {Surveyed("G-J1", "J1", 0, 1000, 500, 10),
                                          Surveyed("G-J2", "J2", 0, 1200, 600, 11)};
    for (int i = 0; i < features; ++i) {
        CollectorPoint f = Surveyed("G-F" + std::to_string(i), "F" + std::to_string(i), 5, 1210 + i, 610 + i, 12);
        f.gouType = 184;
        f.ptBeforSel = "nowhere";
        points.push_back(f);
    }
    points.push_back(Surveyed("G-J3", "J3", 0, 1400, 800, 13));
    return points;
}

std::vector<CollectorPoint> StakesOnly() {
    return {Surveyed("G-J1", "J1", 0, 1000, 500, 10), Surveyed("G-Z1", "Z1", 1, 1100, 550, 10),
            Surveyed("G-J2", "J2", 0, 1200, 600, 11)};
}

size_t StoredPoints(const std::string& path) { return ReadBack(path).size(); }

// The names of the points selected in the list.
std::vector<std::string> SelectedNames(MainWindow& frame) {
    std::vector<std::string> names;
    for (const std::string& id : frame.PointTable().SelectedGpsIds())
        names.push_back(frame.Document().Points()[size_t(frame.Document().IndexOf(id))].NewPtName);
    return names;
}

// The names of the points picked in the plan.
std::vector<std::string> PickedNames(MainWindow& frame) {
    std::vector<std::string> names;
    for (const std::string& id : frame.Plan().Canvas().PickedGpsIds())
        names.push_back(frame.Document().Points()[size_t(frame.Document().IndexOf(id))].NewPtName);
    return names;
}

}  // namespace

class ComfortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;

    MainWindow& StartWith(const std::string& project) {
        app_ = std::make_unique<LinvaraApp>(*ui_);
        return app_->InitInstance(QString::fromStdString(project));
    }
    std::string Project(const std::vector<CollectorPoint>& points, const std::string& name = "line.PD") {
        const std::string path = dir_->File(name);
        linvara::testing::WriteCollectorProject(path, points);
        return path;
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
    }
    void cleanup() {
        app_.reset();
        ui_.reset();
        dir_.reset();
        QSettings().clear();
    }

    // ---- one report per run

    // A save dialog's answer that is the open project itself (by any name)
    // is refused with one message, and the project stays as it was.
    void saveDialogsRefuseTheProjectItself() {
        const std::string project = Project(StakesOnly());
        MainWindow& frame = StartWith(project);
        const std::string before = linvara::testing::ReadFileBytes(project);
        const QString refusal = QStringLiteral("输出文件不能是工程文件本身：") + QString::fromStdString(project);
        QAction* workbook = nullptr;
        for (QAction* action : frame.findChildren<QAction*>())
            if (action->text().startsWith(QStringLiteral("成果表"))) workbook = action;
        QVERIFY(workbook);
        ui_->gateAnswers = {OrgGateChoice::ConvertAnyway};
        struct Case {
            QAction* action;
            std::string answer;
        } cases[] = {{frame.Action(cmd::OrgOutput), project}, {workbook, dir_->File("./line.PD")}};
        for (const Case& c : cases) {
            ui_->messages.clear();
            ui_->saveFiles.push_back(QString::fromStdString(c.answer));
            c.action->trigger();
            QVERIFY2(ui_->Said(refusal), qPrintable(ui_->Texts().join('\n')));
            QCOMPARE(linvara::testing::ReadFileBytes(project), before);
        }
        QVERIFY(!std::filesystem::exists(dir_->File("line.org")));
    }

    void manyMessagesMakeOneReport() {
        MainWindow& frame = StartWith(Project(LineWithOrphans(40)));
        ui_->gateAnswers = {OrgGateChoice::ConvertAnyway};  // the check found errors
        const std::string out = dir_->File("line.org");
        ui_->saveFiles.push_back(QString::fromStdString(out));
        frame.Action(cmd::OrgOutput)->trigger();
        // The check's question, and not one box per message.
        QCOMPARE(ui_->Kinds(), QStringList{"org-gate"});
        QVERIFY(std::filesystem::exists(out));
        RunReportWindow& report = frame.RunReport();
        QVERIFY(report.isVisible());
        QCOMPARE(report.Table().rowCount(), 40);
        QVERIFY2(report.Heading().contains(QStringLiteral("转换ORG文件成功！")), qPrintable(report.Heading()));
        // Errors, as the check calls them: the features are not in the file.
        QVERIFY(report.Heading().contains(QStringLiteral("共40条消息（错误40条，警告0条")));
        // Each row names its point and its list row; the text stays the system's own.
        const DHPointList& list = frame.Document().Points();
        for (int r : {0, 39}) {
            const std::string name = report.Table().item(r, 1)->text().toStdString();
            const int row = report.Table().item(r, 2)->text().toInt();
            QVERIFY(row >= 1 && row <= int(list.size()));
            QCOMPARE(list[size_t(row - 1)].NewPtName, name);
            QCOMPARE(report.Table().item(r, 0)->text(), QStringLiteral("错误"));
            // The auxiliary point it looked for, named as the check names it.
            QCOMPARE(report.Table().item(r, 3)->text(),
                     QStringLiteral("找不到2点测的对应辅助点！原点名为nowhere的辅助点不存在"));
        }
        // A row shows its point in the list, and in the plan once it is drawn.
        report.Table().setCurrentCell(7, 3);
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{"F7"});
        frame.Action(cmd::PlanView)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTest::qWait(50);
        report.Table().setCurrentCell(9, 3);
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{"F9"});
        QCOMPARE(PickedNames(frame), std::vector<std::string>{"F9"});
        // The status bar says what was written.
        QCOMPARE(frame.MessageText(), QStringLiteral("已写出 %1 点 → %2").arg(list.size()).arg(QString::fromStdString(out)));
    }

    void aQuietRunEndsInTheStatusBar() {
        MainWindow& frame = StartWith(Project(StakesOnly()));
        frame.Action(cmd::AutoJOrder)->trigger();  // nothing left for the check to ask about
        const std::string out = dir_->File("stakes.org");
        ui_->saveFiles.push_back(QString::fromStdString(out));
        frame.Action(cmd::OrgOutput)->trigger();
        QVERIFY2(ui_->messages.empty(), qPrintable(ui_->Texts().join('|')));
        QVERIFY(!frame.RunReport().isVisible());
        QCOMPARE(frame.MessageText(), QStringLiteral("已写出 3 点 → %1").arg(QString::fromStdString(out)));
        QCOMPARE(frame.OutputFolder(), QtPath(dir_->path().string()));
        // Started beside the project, named after it.
        QCOMPARE(ui_->lastStart, QtPath(dir_->File("line.org")));
    }

    // A failed write is an error that names the file and the system's reason.
    void aFailedWriteSaysWhy() {
        MainWindow& frame = StartWith(Project(StakesOnly()));
        frame.Action(cmd::AutoJOrder)->trigger();
        const std::string out = dir_->File("no/such/out.org");
        ui_->saveFiles.push_back(QString::fromStdString(out));
        frame.Action(cmd::OrgOutput)->trigger();
        QCOMPARE(ui_->Kinds(), QStringList{"error"});
        QCOMPARE(ui_->Texts().front(),
                 QStringLiteral("转换ORG文件失败：%1（No such file or directory）").arg(Shown(out)));
    }

    // What would spoil the ORG file is asked about first: 查看问题 shows it
    // instead of converting, 仍然转换 converts, 取消 (and Escape) does neither.
    void theCheckComesFirst_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("converted");
        QTest::addColumn<bool>("shown");
        QTest::newRow("查看问题") << int(OrgGateChoice::ShowProblems) << false << true;
        QTest::newRow("仍然转换") << int(OrgGateChoice::ConvertAnyway) << true << false;
        QTest::newRow("取消") << int(OrgGateChoice::Cancel) << false << false;
    }
    void theCheckComesFirst() {
        QFETCH(int, choice);
        QFETCH(bool, converted);
        QFETCH(bool, shown);
        MainWindow& frame = StartWith(Project(LineWithOrphans(2)));
        ui_->gateAnswers = {OrgGateChoice(choice)};
        const std::string out = dir_->File("line.org");
        ui_->saveFiles.push_back(QString::fromStdString(out));
        frame.Action(cmd::OrgOutput)->trigger();
        QCOMPARE(ui_->Kinds().front(), QStringLiteral("org-gate"));
        QVERIFY(ui_->messages.front().defaultNo);  // Return and Escape cancel
        // Two features left out and a line not yet ordered; an error is the example.
        QCOMPARE(ui_->Texts().front().section(QLatin1Char('\n'), 0, 1),
                 QStringLiteral("检查发现3个会使ORG文件出错或不完整的问题（错误2个，警告1个），例如：\n"
                                "找不到2点测的对应辅助点！原点名为nowhere的辅助点不存在（点名：F0，第3行）"));
        QCOMPARE(std::filesystem::exists(out), converted);
        QCOMPARE(ui_->lastTitle.isEmpty(), !converted);  // no file was asked for
        QCOMPARE(frame.Checks().isVisible(), shown);
        if (!shown) return;
        QVERIFY(frame.ToolbarCommands().back() == cmd::Check);
        // Double-clicking a finding selects its point in the list.
        const QModelIndex aux = FindingIndex(*frame.Checks().Tree().model(), QStringLiteral("aux-missing"));
        QVERIFY(aux.isValid());
        emit frame.Checks().Tree().doubleClicked(aux);
        QCOMPARE(SelectedNames(frame).size(), size_t(1));
        QVERIFY(SelectedNames(frame).front().rfind("F", 0) == 0);
    }

    // The tower base and the defaults the conversion fills in stay out of the
    // question: an ordered line with them converts at once. Not ordered, it
    // asks.
    void onlyWhatSpoilsTheOrgFileIsAsked() {
        std::vector<CollectorPoint> points = StakesOnly();
        CollectorPoint crossing = Surveyed("G-C1", "C1", 3, 1150, 575, 10);
        crossing.linkCode = 32;  // no height: the file gets 0.100
        points.insert(points.begin() + 2, crossing);
        linvara::testing::CollectorTowerRow row;
        row.name = "T1";
        row.pegName = "J2";  // section A only
        const std::string path = dir_->File("tower.PD");
        linvara::testing::WriteCollectorProject(path, points, {row});
        MainWindow& frame = StartWith(path);
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("first.org")));
        frame.Action(cmd::OrgOutput)->trigger();
        QCOMPARE(ui_->Kinds(), QStringList{"org-gate"});
        QVERIFY(ui_->Texts().front().contains(QStringLiteral("（错误0个，警告1个），例如：\n项目尚未排序\n")));
        ui_->messages.clear();
        frame.Action(cmd::AutoJOrder)->trigger();
        const std::string out = dir_->File("line.org");
        ui_->saveFiles = {QString::fromStdString(out)};
        frame.Action(cmd::OrgOutput)->trigger();
        QVERIFY2(!ui_->Kinds().contains(QStringLiteral("org-gate")), qPrintable(ui_->Texts().join('|')));
        QVERIFY(std::filesystem::exists(out));
        // The panel still lists them, as warnings.
        QVERIFY(frame.Checks().Summary().startsWith(QStringLiteral("检查完成：错误0个")));
        QVERIFY(FindingIndex(*frame.Checks().Tree().model(), QStringLiteral("section-missing")).isValid());
    }

    // A finding about a tower-base stake selects the stake of that name.
    void aStakeFindingSelectsTheStake() {
        linvara::testing::CollectorTowerRow row;
        row.name = "T1";
        row.pegName = "J2";
        row.subIndex = 0;  // section A only
        const std::string path = dir_->File("tower.PD");
        linvara::testing::WriteCollectorProject(path, SmallLine(), {row});
        MainWindow& frame = StartWith(path);
        frame.Action(cmd::Check)->trigger();
        const QModelIndex stake = FindingIndex(*frame.Checks().Tree().model(), QStringLiteral("section-missing"));
        QVERIFY(stake.isValid());
        frame.PointTable().SelectRow(0);
        emit frame.Checks().Tree().doubleClicked(stake);
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{"J2"});
    }

    // The real question: its three buttons, and Return or Escape is 取消.
    void theGateBoxCancelsByDefault() {
        QtUiServices ui;
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            QStringList buttons;
            const std::function<void()> answer = [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return QTimer::singleShot(20, answer);
                for (QAbstractButton* b : box->buttons()) buttons << b->text();
                const QString shots = qEnvironmentVariable("LINVARA_SCREENSHOT_DIR");
                if (!shots.isEmpty()) box->grab().save(shots + QStringLiteral("/org_gate.png"));
                QTest::keyClick(box, key);
            };
            QTimer::singleShot(0, answer);
            QCOMPARE(ui.AskBeforeOrg(QStringLiteral("检查发现1个会使ORG文件出错或不完整的问题（错误0个，警告1个），例如：\n"
                                                    "项目尚未排序\n\n查看问题：显示检查结果，不转换\n"
                                                    "仍然转换：按现有数据转换\n取消：不转换")),
                     OrgGateChoice::Cancel);
            buttons.sort();
            QCOMPARE(buttons, (QStringList{QStringLiteral("仍然转换"), QStringLiteral("取消"), QStringLiteral("查看问题")}));
        }
    }

    // ---- file dialogs

    void mergeTargetIsAProjectAndAConfirmedOneIsReplaced() {
        std::filesystem::create_directory(dir_->File("src"));
        Project(SmallLine(), "src/a.PD");
        MergeDialog d(*ui_);
        ui_->directories.push_back(QString::fromStdString(dir_->File("src")));
        d.OnChooseFolder();
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("all")));  // typed without extension
        d.OnChooseTarget();
        QCOMPARE(ui_->lastSuffix, QStringLiteral("PD"));
        QCOMPARE(ui_->lastStart, QtPath(dir_->File("src/src_合并.PD")));
        QCOMPARE(d.TargetPath(), dir_->File("all.PD"));
        QVERIFY(!d.ReplacesTarget());
        d.OnMerge();
        QCOMPARE(StoredPoints(dir_->File("all.PD")), size_t(8));
        // Chosen again, it exists: the save dialog confirmed replacing it.
        for (int round = 0; round < 2; ++round) {
            ui_->saveFiles.push_back(QString::fromStdString(dir_->File("all.PD")));
            d.OnChooseTarget();
            QVERIFY(d.ReplacesTarget());
            d.OnMerge();
            QCOMPARE(StoredPoints(dir_->File("all.PD")), size_t(8));
        }
        QCOMPARE(ui_->messages.back().text, QStringLiteral("合并完成！"));
    }

    // A name typed without extension gets the one of the file type chosen in the dialog.
    void typedNamesTakeTheChosenFilterExtension() {
        QCOMPARE(FilterSuffix(QStringLiteral("成果文件 (*.CSV *.csv)")), QStringLiteral("CSV"));
        QCOMPARE(FilterSuffix(QStringLiteral("KML文件 (*.kml)")), QStringLiteral("kml"));
        QCOMPARE(FilterSuffix(QStringLiteral("所有文件 (*)")), QString());
    }

    // ---- the workspace

    void settingsRoundTrip() {
        const QString a = QString::fromStdString(dir_->File("a.PD"));
        const QString b = QString::fromStdString(dir_->File("b.PD"));
        workspace::RememberFolder(QStringLiteral("open"), a);
        workspace::RememberResultKind(7);
        ConversionOptions chosen;
        chosen.StartMileage = 1000;
        chosen.UseStartName = 1;
        chosen.StartName = "20";
        chosen.UseOffsetRange = 1;
        chosen.OffsetRange = 0.25;
        const auto builtIn = qScopeGuard([] { workspace::RememberDefaultOptions(ConversionOptions{}); });
        QCOMPARE(workspace::DefaultOptions().StartName, std::string("1"));  // built in until set
        workspace::RememberDefaultOptions(chosen);
        QCOMPARE(workspace::LastFolder(QStringLiteral("open")), QtPath(dir_->path().string()));
        QCOMPARE(workspace::LastFolder(QStringLiteral("merge-folder")), QString());
        QCOMPARE(workspace::LastResultKind(), 7);
        const ConversionOptions back = workspace::DefaultOptions();
        QCOMPARE(back.StartMileage, 1000.0);
        QCOMPARE(back.UseStartName, 1);
        QCOMPARE(back.StartName, std::string("20"));
        QCOMPARE(back.UseOffsetRange, 1);
        QCOMPARE(back.OffsetRange, 0.25);
        // A recent file found missing is dropped.
        AddRecentFile(b);
        AddRecentFile(a);
        Project(SmallLine(), "a.PD");
        QCOMPARE(PruneRecentFiles(), QStringList{a});
    }

    void theWindowRemembersOptionsColumnsAndSize() {
        const std::string project = Project(SmallLine());
        {
            MainWindow& frame = StartWith(project);
            QVERIFY(frame.MileageText().contains(QStringLiteral("起始里程 0.000 m")));
            ui_->dialogs.push_back(FillThenOk<OptionsDialog>(
                [](OptionsDialog& d) { d.findChild<QLineEdit*>("startMileageEdit")->setText("1000"); }));
            frame.Action(cmd::Options)->trigger();
            QCOMPARE(frame.MileageText(), QStringLiteral("起始里程 1000.000 m"));
            frame.PointTable().setColumnWidth(3, 177);
            frame.showNormal();
            frame.setGeometry(40, 50, 900, 640);
            QVERIFY(frame.close());  // saves the project and the workspace
        }
        MainWindow& again = StartWith(project);
        QCOMPARE(again.Document().Options().StartMileage, 1000.0);
        QCOMPARE(again.MileageText(), QStringLiteral("起始里程 1000.000 m"));
        QCOMPARE(again.PointTable().columnWidth(3), 177);
        QCOMPARE(again.size(), QSize(900, 640));
        // Another project keeps the defaults.
        QVERIFY(again.OpenProjectFile(QString::fromStdString(Project(SmallLine(), "other.PD"))));
        QCOMPARE(again.Document().Options().StartMileage, 0.0);
    }

    void theFirstSizeIsTwoThirdsOfTheScreen() {
        QWidget probe;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect first = FirstGeometry(probe);
        QVERIFY(first.width() >= std::min(800, screen.width()) && first.width() <= screen.width());
        if (screen.width() * 2 / 3 >= 800) QCOMPARE(first.width(), screen.width() * 2 / 3);
        QVERIFY(screen.contains(first));
    }

    // ---- Chinese throughout

    void standardButtonsSpeakChinese() {
        QVERIFY2(InstallFrameworkTranslations(), "qt6-translations-l10n is not installed");
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        QVERIFY(box.button(QDialogButtonBox::Save)->text().contains(QStringLiteral("保存")));
    }

    // ---- find

    void findOrdersExactThenPrefixThenInside() {
        DHPointList list;
        for (const char* name : {"AJ1", "J12", "J1", "j1x", "Z1", "j1"}) {
            DHPoint p;
            p.NewPtName = name;
            list.push_back(p);
        }
        QCOMPARE(FindByName(list, "J1"), (std::vector<int>{2, 5, 1, 3, 0}));
        QCOMPARE(FindByName(list, "z"), (std::vector<int>{4}));
        QVERIFY(FindByName(list, "").empty());
        QVERIFY(FindByName(list, "Q").empty());
        const struct {
            const char* text;
            bool ok;
            double metres;
        } mileages[] = {{"1250.5", true, 1250.5}, {" K1+250.5 ", true, 1250.5}, {"1+250", true, 1250},
                        {"k0+5", true, 5},        {"abc", false, 0},          {"K+1", false, 0},
                        {"1+", false, 0},         {"nan", false, 0}};
        for (const auto& m : mileages) {
            double metres = -1;
            QCOMPARE(ParseMileage(m.text, metres), m.ok);
            if (m.ok) QCOMPARE(metres, m.metres);
        }
        for (int i = 0; i < 6; ++i) list[size_t(i)].Mileage = i * 100.0;
        QCOMPARE(NearestMileage(list, 260), 3);
        QCOMPARE(NearestMileage(list, -50), 0);
        QCOMPARE(NearestMileage({}, 5), -1);
    }

    void ctrlFFindsAndSteps() {
        MainWindow& frame = StartWith(Project(LineWithOrphans(12)));
        QCOMPARE(frame.Action(cmd::Find)->shortcut(), QKeySequence(QKeySequence::Find));
        frame.Action(cmd::Find)->trigger();
        FindDialog& find = frame.Finder();
        QVERIFY(find.isVisible());
        find.TextEdit().setText("F1");  // F1, then F10, F11
        QVERIFY(find.FindNext());
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{"F1"});
        QVERIFY(find.StatusText().startsWith(QStringLiteral("第1/3个：F1，第")));
        QVERIFY(find.FindNext());
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{"F10"});
        find.TextEdit().setText("nothing");
        QVERIFY(!find.FindNext());
        QCOMPARE(find.StatusText(), QStringLiteral("找不到“nothing”"));
        // By mileage: the point nearest it, after an ordering gave the mileages.
        frame.Action(cmd::AutoJOrder)->trigger();
        const DHPointList& list = frame.Document().Points();
        find.SetMode(FindDialog::ByMileage);
        find.TextEdit().setText(QString::number(list.back().Mileage + 3, 'f', 3));
        QVERIFY(find.FindNext());
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{list.back().NewPtName});
        find.TextEdit().setText(QStringLiteral("K0+000.5"));
        QVERIFY(find.FindNext());
        QCOMPARE(SelectedNames(frame), std::vector<std::string>{list.front().NewPtName});
    }
};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
