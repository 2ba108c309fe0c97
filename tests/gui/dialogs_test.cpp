// The point, J-stake, settings, result output, tower-base and merge
// dialogs, driven without a window manager.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <fstream>

#include "db/project_database.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/point_dialog.h"
#include "dialogs/pole_type_pictures.h"
#include "dialogs/result_file_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "common/file_filter.h"
#include "gui_test_support.h"
#include "model/code_tables.h"
#include "output/kml_writer.h"
#include "output/result_kinds.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

const char* const kKindDependent[] = {"linkCodeCombo", "poleTypeCombo", "polePicture", "featureCodeCombo",
                                      "frontPointEdit", "backPointEdit", "ditchCodeCombo"};

QStringList ShownKindControls(QDialog& d) {
    QStringList shown;
    for (const char* name : kKindDependent) {
        QWidget* w = d.findChild<QWidget*>(QString::fromLatin1(name));
        if (w && !w->isHidden()) shown << QString::fromLatin1(name);
    }
    return shown;
}

QLineEdit* Edit(QWidget& d, const char* name) { return d.findChild<QLineEdit*>(QString::fromLatin1(name)); }
QComboBox* Combo(QWidget& d, const char* name) { return d.findChild<QComboBox*>(QString::fromLatin1(name)); }

DHPoint SampleAuxPoint() {
    DHPoint p;
    p.ID = 7;
    p.GPS_ID = "G9_line";
    p.NewPtName = "12";
    p.OrgPtName = "A9";
    p.DHType = 2;
    p.ObjectCode = PointCodeTable()[3].code;
    p.GLCode = 13;
    p.Note = "kept";
    p.AntHight = 1.8;
    return p;
}

DHPointList Stakes(std::initializer_list<const char*> names) {
    DHPointList list;
    double x = 0;
    for (const char* n : names) {
        DHPoint p;
        p.NewPtName = n;
        p.Dx = x += 100;
        list.push_back(p);
    }
    return list;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
    }

    // ---- point dialog

    void pointDialogCaption_data() {
        QTest::addColumn<PointDialog::Task>("task");
        QTest::addColumn<QString>("caption");
        QTest::newRow("edit") << PointDialog::Edit << "编辑道享点";
        QTest::newRow("add") << PointDialog::Add << "添加道享点";
        QTest::newRow("insert") << PointDialog::Insert << "插入道享点";
    }
    void pointDialogCaption() {
        QFETCH(PointDialog::Task, task);
        QFETCH(QString, caption);
        PointDialog d(task, *ui_);
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(Combo(d, "kindCombo")->count(), 7);
        QCOMPARE(Combo(d, "poleTypeCombo")->count(), 41);
        QCOMPARE(Combo(d, "linkCodeCombo")->count(), 48);
        QCOMPARE(Combo(d, "featureCodeCombo")->count(), 81);
        QCOMPARE(Combo(d, "ditchCodeCombo")->count(), 44);
        QCOMPARE(Combo(d, "poleTypeCombo")->itemText(2), QStringLiteral("3--[IJJ]"));
    }

    void visibilityFollowsTheKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("J") << 0 << QStringList();
        QTest::newRow("Z") << 1 << QStringList();
        QTest::newRow("aux") << 2 << QStringList{"featureCodeCombo"};
        QTest::newRow("crossing") << 3 << QStringList{"linkCodeCombo", "poleTypeCombo", "polePicture"};
        QTest::newRow("one-point") << 4 << QStringList{"ditchCodeCombo"};
        QTest::newRow("two-point") << 5 << QStringList{"frontPointEdit", "backPointEdit", "ditchCodeCombo"};
        QTest::newRow("house") << 6 << QStringList{"frontPointEdit", "backPointEdit", "ditchCodeCombo"};
    }
    void visibilityFollowsTheKind() {
        QFETCH(int, kind);
        QFETCH(QStringList, shown);
        DHPoint p;
        p.DHType = kind;
        PointDialog edit(PointDialog::Edit, *ui_);
        edit.SetPoint(p);
        QCOMPARE(ShownKindControls(edit), shown);
        PointDialog add(PointDialog::Add, *ui_);  // changed by the user
        Combo(add, "kindCombo")->setCurrentIndex(kind);
        QCOMPARE(ShownKindControls(add), shown);
    }

    void changingToAuxSelectsTheFirstFeature() {
        DHPoint p = SampleAuxPoint();
        p.DHType = 4;
        PointDialog d(PointDialog::Edit, *ui_);
        d.SetPoint(p);
        QCOMPARE(Combo(d, "featureCodeCombo")->currentIndex(), 3);
        Combo(d, "kindCombo")->setCurrentIndex(2);
        QCOMPARE(Combo(d, "featureCodeCombo")->currentIndex(), 0);
    }

    void addingAnAuxPointStoresGlCode13() {
        PointDialog d(PointDialog::Add, *ui_);
        d.SetKindIndex(2);
        Edit(d, "nameEdit")->setText("P1");
        Combo(d, "ditchCodeCombo")->setCurrentIndex(5);
        Combo(d, "featureCodeCombo")->setCurrentIndex(4);
        d.OnOk();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Point().GLCode, 13);
        QCOMPARE(d.Point().ObjectCode, PointCodeTable()[4].code);
        QCOMPARE(d.Point().DHType, 2);
        QCOMPARE(d.Point().OrgPtName, std::string("P1"));
        QVERIFY(!d.Point().GPS_ID.empty());
    }

    void editingKeepsIdentityAndUntouchedFields() {
        PointDialog d(PointDialog::Edit, *ui_);
        d.SetPoint(SampleAuxPoint());
        Combo(d, "ditchCodeCombo")->setCurrentIndex(5);
        Edit(d, "mileageEdit")->setText(" 12.25 ");
        d.OnOk();
        const DHPoint& p = d.Point();
        QCOMPARE(p.GLCode, FeatureClassTable()[5].code);  // the selector's value when editing
        QCOMPARE(p.GPS_ID, std::string("G9_line"));
        QCOMPARE(p.OrgPtName, std::string("A9"));
        QCOMPARE(p.ID, 7);
        QCOMPARE(p.Note, std::string("kept"));
        QCOMPARE(p.AntHight, 1.8);
        QCOMPARE(p.Mileage, 12.25);
    }

    void insertingGivesANewIdentity() {
        PointDialog d(PointDialog::Insert, *ui_);
        Edit(d, "nameEdit")->setText("P2");
        d.OnOk();
        QCOMPARE(d.Point().OrgPtName, std::string("P2"));
        QVERIFY(d.Point().GPS_ID.size() > 15);
        QCOMPARE(d.Point().PoleType, 1);
    }

    void numberFieldsRefuseText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("word") << "abc";
        QTest::newRow("comma decimal") << "1,5";
        QTest::newRow("empty") << "";
        QTest::newRow("trailing text") << "12m";
    }
    void numberFieldsRefuseText() {
        QFETCH(QString, text);
        PointDialog d(PointDialog::Edit, *ui_);
        d.SetPoint(SampleAuxPoint());
        Edit(d, "offsetEdit")->setText(text);
        Edit(d, "xEdit")->setText("5");
        d.OnOk();
        QVERIFY(ui_->Said(QStringLiteral("请输入一个数字。")));
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(d.Point().Dx, 0.0);  // nothing taken over
    }

    void poleTypePictures() {
        PointDialog d(PointDialog::Add, *ui_);
        d.SetKindIndex(3);
        auto* picture = d.findChild<QLabel*>("polePicture");
        const qint64 first = picture->pixmap().cacheKey();
        QVERIFY(!picture->pixmap().isNull());
        Combo(d, "poleTypeCombo")->setCurrentIndex(8);
        QVERIFY(picture->pixmap().cacheKey() != first);
        Edit(d, "nameEdit")->setText("X");
        d.OnOk();
        QCOMPARE(d.Point().PoleType, 9);
        QSet<QByteArray> distinct;
        for (int i = 0; i < 41; ++i) {
            const QImage image = PoleTypePicture(i).toImage();
            QVERIFY(!image.isNull());
            distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(distinct.size(), 41);
        QVERIFY(PoleTypePicture(41).isNull());
    }

    void unknownCodesStayAsTheyWere() {
        DHPoint p = SampleAuxPoint();
        p.DHType = 3;
        p.LXCode = 9999;
        p.PoleType = 0;
        PointDialog d(PointDialog::Edit, *ui_);
        d.SetPoint(p);
        QCOMPARE(Combo(d, "linkCodeCombo")->currentIndex(), -1);
        d.OnOk();
        QCOMPARE(d.Point().LXCode, 9999);
        QCOMPARE(d.Point().PoleType, 0);
    }

    // ---- J-stake dialog

    void jAppointDialog() {
        JStakeAppointDialog d(Stakes({"J1", "J2", "J1"}), *ui_);
        QCOMPARE(d.windowTitle(), QStringLiteral("指定J桩"));
        QCOMPARE(Combo(d, "startCombo")->count(), 3);
        d.SetStartName("J2");
        d.SetEndName("nothing");
        QCOMPARE(Combo(d, "startCombo")->currentIndex(), 1);
        QCOMPARE(Combo(d, "endCombo")->currentIndex(), 0);
        Combo(d, "startCombo")->setCurrentIndex(0);
        d.OnOk();  // the same entry twice
        QCOMPARE(ui_->Texts(), QStringList{"起点J桩和终点J桩不能为同一J桩，请检查！"});
        QVERIFY(d.result() != QDialog::Accepted);
        Combo(d, "endCombo")->setCurrentIndex(2);  // same name, another stake
        d.OnOk();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.StartStake().Dx, 100.0);
        QCOMPARE(d.EndStake().Dx, 300.0);
        QCOMPARE(d.EndName(), std::string("J1"));
    }

    void jAppointDialogWithOneStake() {
        JStakeAppointDialog d(Stakes({"J1"}), *ui_);
        d.OnOk();
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(ui_->messages.size(), size_t(1));
    }

    // ---- settings

    void optionsShowTheDefaults() {
        OptionsDialog d(ConversionOptions{}, *ui_);
        QCOMPARE(d.windowTitle(), QStringLiteral("设置"));
        QVERIFY(!d.findChild<QCheckBox*>("useStartNameCheck")->isChecked());
        QVERIFY(!d.findChild<QCheckBox*>("useOffsetRangeCheck")->isChecked());
        QCOMPARE(Edit(d, "startNameEdit")->text(), QStringLiteral("1"));
        QCOMPARE(Edit(d, "offsetRangeEdit")->text(), QStringLiteral("0"));
        QCOMPARE(Edit(d, "startMileageEdit")->text(), QStringLiteral("0"));
    }

    void optionsShowFifteenDigits() {
        ConversionOptions o;
        o.StartMileage = 0.1 + 0.2;
        o.OffsetRange = 1234567.8912345678;
        OptionsDialog d(o, *ui_);
        QCOMPARE(Edit(d, "startMileageEdit")->text(), QStringLiteral("0.3"));
        QCOMPARE(Edit(d, "offsetRangeEdit")->text(), QStringLiteral("1234567.89123457"));
    }

    void optionsRefuseANonNumber() {
        OptionsDialog d(ConversionOptions{}, *ui_);
        Edit(d, "offsetRangeEdit")->setText("0,5");
        d.findChild<QCheckBox*>("useOffsetRangeCheck")->setChecked(true);
        d.OnOk();
        QCOMPARE(ui_->Texts(), QStringList{"请输入一个数字。"});
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(d.Options().UseOffsetRange, 0);
        Edit(d, "offsetRangeEdit")->setText("0.5");
        d.OnOk();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Options().UseOffsetRange, 1);
        QCOMPARE(d.Options().OffsetRange, 0.5);
    }

    // ---- result output

    void outputKindChangesTheExtension() {
        const DHPointList list = Stakes({"J1", "J2"});
        ResultFileDialog d(list, *ui_);
        QCOMPARE(d.KindList().count(), 12);
        QCOMPARE(d.KindList().itemText(6), QStringLiteral("AutoCAD--DXF格式(*.dxf)"));
        QCOMPARE(d.Kind(), 0);
        const QString line = QString::fromStdString(dir_->File("line.dat"));
        ui_->saveFiles.push_back(line);
        d.OnChoosePath();
        QCOMPARE(ui_->lastTitle, QStringLiteral("保存成果文件"));
        QCOMPARE(ui_->lastSuffix, QStringLiteral("dat"));
        QVERIFY(ui_->lastFilter.contains("*.dat") && ui_->lastFilter.contains("*.CSV"));
        QCOMPARE(d.findChild<QLineEdit*>("pathEdit")->text(), line);
        d.KindList().setCurrentIndex(6);
        QCOMPARE(d.ResultPath(), dir_->File("line.dxf"));
        QCOMPARE(d.findChild<QLineEdit*>("pathEdit")->text(), QString::fromStdString(dir_->File("line.dxf")));
        // Every kind its own extension, whatever came before (9..11 after the CSV kind).
        const std::pair<int, const char*> steps[] = {{8, "CSV"}, {11, "kml"}, {9, "dat"}, {8, "CSV"}, {10, "dat"}};
        for (const auto& [kind, extension] : steps) {
            d.KindList().setCurrentIndex(kind);
            QCOMPARE(d.DefaultExtension(), std::string(extension));
            QCOMPARE(d.ResultPath(), dir_->File(std::string("line.") + extension));
        }
        d.KindList().setCurrentIndex(11);
        d.OnChoosePath();  // cancelled: the path stays
        QCOMPARE(ui_->lastSuffix, QStringLiteral("kml"));
        QVERIFY(ui_->lastFilter.contains("*.kml"));
        QCOMPARE(ui_->lastStart, QString::fromStdString(dir_->File("line.kml")));  // offered again where it was
        QCOMPARE(d.ResultPath(), dir_->File("line.kml"));
        // The kind chosen last comes back; a KML chosen first is offered as a KML.
        ResultFileDialog again(list, *ui_);
        QCOMPARE(again.Kind(), 11);
        QVERIFY(again.ResultPath().empty());
        again.SetProjectPath(QString::fromStdString(dir_->File("route.PD")));
        again.OnChoosePath();
        QCOMPARE(ui_->lastSuffix, QStringLiteral("kml"));
        QCOMPARE(ui_->lastStart, QtPath(dir_->File("route_kml.kml")));
    }

    // Every row of the kinds' table is an entry of the list, in its place,
    // and brings its own extension, save filter, KMZ choice and file.
    void outputDialogFollowsTheKindTable() {
        const DHPointList list = Stakes({"J1", "J2"});
        ResultFileDialog d(list, *ui_);
        auto* kmz = d.findChild<QCheckBox*>("kmzCheck");
        QCOMPARE(d.KindList().count(), int(ResultKinds().size()));
        for (const ResultKindInfo& k : ResultKinds()) {
            QCOMPARE(d.KindList().itemText(k.kind), QString::fromUtf8(k.text));
            d.KindList().setCurrentIndex(k.kind);
            kmz->setChecked(false);
            QCOMPARE(kmz->isEnabled(), k.kmz && KmzAvailable());
            const std::string path = dir_->File(std::string("table-") + k.shortName + "." + k.extension);
            ui_->saveFiles.push_back(QString::fromStdString(path));
            d.OnChoosePath();
            QCOMPARE(ui_->lastSuffix, QString::fromUtf8(k.extension));
            QCOMPARE(ui_->lastFilter, QtFileFilter(k.saveFilter));
            d.OnConvert();
            QVERIFY2(std::filesystem::exists(path) && std::filesystem::file_size(path) > 0, k.shortName);
        }
    }

    void outputWritesTheFile() {
        const DHPointList list = Stakes({"J1", "J2"});
        ResultFileDialog d(list, *ui_);
        d.OnConvert();  // no path: the missing choice is named
        QCOMPARE(ui_->Texts(), QStringList{"请先选择成果文件的保存路径"});
        QCOMPARE(ui_->Kinds(), QStringList{"warning"});
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("out.dat")));
        d.OnChoosePath();
        d.OnConvert();
        QVERIFY(std::filesystem::exists(dir_->File("out.dat")));
        QCOMPARE(ui_->messages.size(), size_t(2));
    }

    // A name holding the kind's delimiter is written as it is and named in the run's report.
    void outputNamesAPointItsDelimiterBreaks() {
        const DHPointList list = Stakes({"J,1", "J2"});
        ResultFileDialog d(list, *ui_);
        d.KindList().setCurrentIndex(2);
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("comma.dat")));
        d.OnChoosePath();
        d.OnConvert();
        QVERIFY2(ui_->Texts().join('\n').contains(QStringLiteral("点名含有逗号：其他程序读此成果文件时该行会错列或被截断")),
                 qPrintable(ui_->Texts().join('\n')));
        QVERIFY(linvara::testing::ReadFileBytes(dir_->File("comma.dat")).starts_with("J,1,"));
    }

    // The KML kind alone can be packed as a KMZ; the path, the save filter
    // and the file follow the choice, which comes back next time.
    void outputKmlAsKmz() {
        if (!KmzAvailable()) QSKIP(kKmzNotInThisBuild);
        const DHPointList list = Stakes({"J1", "J2"});
        ResultFileDialog d(list, *ui_);
        auto* kmz = d.findChild<QCheckBox*>("kmzCheck");
        d.KindList().setCurrentIndex(6);
        QVERIFY(!kmz->isEnabled());
        d.KindList().setCurrentIndex(11);
        QVERIFY(kmz->isEnabled());
        kmz->setChecked(true);
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("line.kmz")));
        d.OnChoosePath();
        QCOMPARE(ui_->lastSuffix, QStringLiteral("kmz"));
        QVERIFY(ui_->lastFilter.contains("*.kmz") && !ui_->lastFilter.contains("*.kml"));
        d.OnConvert();
        QCOMPARE(linvara::testing::ReadFileBytes(dir_->File("line.kmz")).substr(0, 4), std::string("PK\x03\x04"));
        kmz->setChecked(false);
        QCOMPARE(d.ResultPath(), dir_->File("line.kml"));
        kmz->setChecked(true);
        d.KindList().setCurrentIndex(6);
        QCOMPARE(d.ResultPath(), dir_->File("line.dxf"));
        d.KindList().setCurrentIndex(11);
        QCOMPARE(d.ResultPath(), dir_->File("line.kmz"));
        ResultFileDialog again(list, *ui_);
        QVERIFY(again.Kmz());
        QCOMPARE(again.DefaultExtension(), std::string("kmz"));
        kmz->setChecked(false);  // the next test starts with a KML
    }

    // ---- tower-base sections

    void towerBaseConversion() {
        using linvara::testing::CollectorTowerRow;
        std::vector<CollectorTowerRow> rows(3);
        for (int i = 0; i < 3; ++i) {
            rows[i].name = "T" + std::to_string(i + 1);
            rows[i].x = 100 + i;
            rows[i].y = 200 + i;
            rows[i].h = 10 + i;
            rows[i].pegName = "Z5";
            rows[i].pegDis = i * 5.0;
            rows[i].subIndex = 1;  // the collector counts from 0: section B
            rows[i].midh = 10;
        }
        const std::string project = dir_->File("tower.PD");
        linvara::testing::WriteCollectorProject(project, SmallLine(), rows);
        auto* d = new TowerBaseDialog(*ui_);
        QPointer<TowerBaseDialog> alive(d);
        QCOMPARE(d->windowTitle(), QStringLiteral("塔基断面"));
        d->OnConvert();  // nothing open yet: say so, ask for a file; cancelled
        QCOMPARE(ui_->Texts(), QStringList{"请先打开数据文件！"});
        QCOMPARE(ui_->Kinds(), QStringList{"warning"});  // a missing choice, with the warning icon
        QCOMPARE(ui_->lastTitle, QStringLiteral("打开数据文件"));
        ui_->openFiles.push_back(QString::fromStdString(project));
        d->OnOpenFile();
        QCOMPARE(d->Table().rowCount(), 3);
        QCOMPARE(d->Table().horizontalHeaderItem(8)->text(), QStringLiteral("断面索引"));
        QCOMPARE(d->Table().item(0, 8)->text(), QStringLiteral("B"));
        QCOMPARE(d->Table().item(1, 1)->text(), QStringLiteral("101.000"));
        QCOMPARE(d->Table().item(0, 8)->data(Qt::UserRole).toInt(), 2);
        QCOMPARE(d->findChild<QLineEdit*>("dataPathEdit")->text(), QString::fromStdString(dir_->File("tower.tow")));
        d->OnConvert();
        QCOMPARE(ui_->messages.back().text, QStringLiteral("请设置转换文件保存路径！"));
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("out/tb.org")));
        std::filesystem::create_directory(dir_->File("out"));
        d->OnChooseOutput();
        QCOMPARE(ui_->lastSuffix, QStringLiteral("org"));
        d->OnConvert();
        bool wrote = false;
        for (const auto& entry : std::filesystem::directory_iterator(dir_->File("out")))
            wrote = wrote || entry.path().extension() == ".org";
        QVERIFY(wrote);
        // a second file replaces the rows
        const std::string towPath = dir_->File("two.tow");
        std::filesystem::copy_file(dir_->File("tower.tow"), towPath);
        ui_->openFiles.push_back(QString::fromStdString(towPath));
        d->OnOpenFile();
        QCOMPARE(d->Table().rowCount(), 3);
        // numbers the file cannot read are named in one message, line by line
        const std::string badPath = dir_->File("bad.tow");
        std::ofstream(badPath, std::ios::binary) << "P1,1.5m,2,3,c,,,Z\r\nP2,1,x,3,c,,,Z\r\n";
        ui_->messages.clear();
        ui_->openFiles.push_back(QString::fromStdString(badPath));
        d->OnOpenFile();
        QCOMPARE(ui_->messages.size(), size_t(1));
        QCOMPARE(ui_->messages.back().text, QString::fromStdString(badPath + "第1行第2个字段（北坐标）：无法读取数值“1.5m”\n" +
                                                                    badPath + "第2行第3个字段（东坐标）：无法读取数值“x”\n"));
        d->findChild<QPushButton*>("quitButton")->click();
        QTRY_VERIFY(alive.isNull());  // it deletes itself
    }

    // ---- merge

    void mergeChecksAndProgress() {
        std::filesystem::create_directory(dir_->File("src"));
        std::filesystem::create_directory(dir_->File("out"));
        linvara::testing::WriteCollectorProject(dir_->File("src/a.PD"), SmallLine());
        linvara::testing::WriteCollectorProject(dir_->File("src/b.PD"), SmallLine());
        linvara::testing::WriteCollectorProject(dir_->File("src/c.PD"), SmallLine());
        MergeDialog d(*ui_);
        QCOMPARE(d.windowTitle(), QStringLiteral("数据合并"));
        d.OnMerge();  // no folder yet
        QCOMPARE(ui_->Texts(), QStringList{"请先选择要合并的数据文件所在的文件夹"});
        ui_->directories.push_back(QString::fromStdString(dir_->File("src")));
        d.OnChooseFolder();
        QCOMPARE(ui_->lastTitle, QStringLiteral("请选择文件夹"));
        QCOMPARE(d.FileList().rowCount(), 3);
        QCOMPARE(d.FileList().item(0, 0)->text(), QStringLiteral("a.PD"));
        QCOMPARE(d.FileList().item(2, 0)->checkState(), Qt::Checked);
        d.FileList().item(1, 0)->setCheckState(Qt::Unchecked);
        const std::string target = dir_->File("out/all.PD");
        ui_->saveFiles.push_back(QString::fromStdString(target));
        d.OnChooseTarget();
        QCOMPARE(ui_->lastTitle, QStringLiteral("保存合并数据文件"));
        d.OnMerge();
        QCOMPARE(ui_->messages.back().text, QStringLiteral("合并完成！"));
        auto* bar = d.findChild<QProgressBar*>("progressBar");
        QCOMPARE(bar->value(), bar->maximum());
        SilentReporter silent;
        ProjectDatabase merged(silent);
        QVERIFY(merged.OpenProject(target));
        DHPointList list;
        QVERIFY(merged.ReadStakeList(list));
        QCOMPARE(list.size(), size_t(16));
    }

    void mergeFolderWithoutProjects() {
        std::filesystem::create_directory(dir_->File("empty"));
        MergeDialog d(*ui_);
        ui_->directories.push_back(QString::fromStdString(dir_->File("empty")));
        d.OnChooseFolder();
        QCOMPARE(d.FileList().rowCount(), 0);
        ui_->saveFiles.push_back(QString::fromStdString(dir_->File("merged.PD")));
        d.OnChooseTarget();
        d.OnMerge();
        QCOMPARE(ui_->messages.back().text, QStringLiteral("合并完成！"));
        QVERIFY(std::filesystem::exists(dir_->File("merged.PD")));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
