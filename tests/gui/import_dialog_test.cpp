// 导入文本数据 and 计算经纬度: the preview and bad lines of the import
// dialog, user styles kept by name, OK writing a project the window opens,
// and latitude/longitude computed for an open project as one undoable edit.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "dialogs/import_dialog.h"
#include "dialogs/lat_lon_dialog.h"
#include "gui_test_support.h"
#include "import/gauss_kruger.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

// CASS: 点号,编码,东坐标,北坐标,高程
const char* const kCass =
    "J1,JD,500100.000,3380000.000,12.5\r\n"
    "Z1,ZD,500150.000,3380050.000,12.6\r\n"
    "7,DL,500160.000,3380060.000,12.7\r\n"
    "J2,JD,500300.000,3380200.000,12.8\r\n";

const char* const kCassWithBadLines =
    "J1,JD,500100,3380000,12.5\n"
    "J2,JD,500200\n"
    "\n"
    "Z1,,5O0150,3380050,12.6\n"
    "J1,,500160,3380060,12.7\n"
    "J3,JD,500300,3380200,12.8\n";

template <typename W>
W& Child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no child %s", name);
    return *w;
}

void ChooseStyle(ImportDialog& d, const QString& entry) {
    auto& combo = Child<QComboBox>(d, "styleCombo");
    const int at = combo.findData(entry);
    QVERIFY2(at >= 0, qPrintable(entry));
    combo.setCurrentIndex(at);
}

QStringList Column(QTableWidget& table, int column) {
    QStringList out;
    for (int row = 0; row < table.rowCount(); ++row) out << table.item(row, column)->text();
    return out;
}

QStringList Items(QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
    return out;
}

}  // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;

    QString Write(const char* name, const std::string& text) {
        const std::string path = dir_->File(name);
        std::ofstream(path, std::ios::binary) << text;
        return QString::fromStdString(path);
    }
    MainWindow& Start() {
        app_ = std::make_unique<LinvaraApp>(*ui_);
        return app_->InitInstance(QString());
    }
    // The import dialog run from the File menu: `fill` sets it up, then OK.
    void Import(MainWindow& frame, std::function<void(ImportDialog&)> fill) {
        ui_->dialogs.push_back(FillThenOk<ImportDialog>(std::move(fill)));
        Child<QAction>(frame, "importTextAction").trigger();
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        QSettings().clear();
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
    }
    void cleanup() { app_.reset(); }

    void previewsACassFileWithKinds() {
        ImportDialog d(*ui_);
        ChooseStyle(d, "builtin:cass");
        d.SetInputFile(Write("field.csv", kCass));
        QCOMPARE(d.TargetPath(), QtPath(dir_->File("field.PD")));
        auto& table = Child<QTableWidget>(d, "previewTable");
        QCOMPARE(Column(table, 0), QStringList({"J1", "Z1", "7", "J2"}));
        QCOMPARE(Column(table, 2), QStringList({"J桩", "Z桩", "辅助点", "J桩"}));
        // East first in the file: x is the fourth field, y the third.
        QCOMPARE(table.item(0, 3)->text(), QStringLiteral("3380000.000"));
        QCOMPARE(table.item(0, 4)->text(), QStringLiteral("500100.000"));
        QVERIFY(table.item(0, 7)->text().startsWith(QStringLiteral("114.00")));  // central meridian 114° by default
        QCOMPARE(Child<QLabel>(d, "previewSummary").text(),
                 QStringLiteral("可导入4个点：J桩2个，Z桩1个，其他1个；无法读取0行"));
        QCOMPARE(Child<QLabel>(d, "columnsLabel").text(), QStringLiteral("点名 | 编码 | 东坐标y | 北坐标x | 高程h"));
        QCOMPARE(Child<QListWidget>(d, "badLineList").count(), 0);

        // Editing the style previews again: other prefixes make other stakes.
        Child<QLineEdit>(d, "jPrefixEdit").setText("Z");
        Child<QLineEdit>(d, "zPrefixEdit").setText("J");
        QCOMPARE(Column(table, 2), QStringList({"Z桩", "J桩", "辅助点", "Z桩"}));
        // A header file: the header row names the columns.
        ChooseStyle(d, "builtin:header");
        d.SetInputFile(Write("head.txt", "点号\t北坐标\t东坐标\t高程\nJ5\t3380000\t500100\t1\n"));
        QCOMPARE(Child<QLabel>(d, "columnsLabel").text(),
                 QStringLiteral("表头行（第1行）识别为：点名 | 北坐标x | 东坐标y | 高程h"));
        QCOMPARE(Column(table, 0), QStringList({"J5"}));
    }

    void listsBadLinesByNumber() {
        ImportDialog d(*ui_);
        ChooseStyle(d, "builtin:cass");
        d.SetInputFile(Write("bad.csv", kCassWithBadLines));
        QCOMPARE(Items(Child<QListWidget>(d, "badLineList")),
                 QStringList({"第2行：字段太少（应有5个，只有3个）", "第4行：东坐标y不是数字：“5O0150”",
                              "第5行：点名重复：J1（第1行已有）"}));
        QCOMPARE(Column(Child<QTableWidget>(d, "previewTable"), 0), QStringList({"J1", "J3"}));
        // A style the file cannot be read in says why instead of a preview.
        Child<QLineEdit>(d, "columnsEdit").setText("name,code,h");
        QCOMPARE(Child<QTableWidget>(d, "previewTable").rowCount(), 0);
        QCOMPARE(Child<QLabel>(d, "previewSummary").text(),
                 QStringLiteral("样式不可用：列顺序：没有北、东坐标列，也没有纬度、经度列"));
    }

    // A Unicode file previews through its byte-order mark; a file that is no
    // text says which line instead of a preview.
    void previewsUnicodeAndNamesTheLineOfWhatIsNoText() {
        ImportDialog d(*ui_);
        ChooseStyle(d, "builtin:header");
        std::string utf16 = "\xFF\xFE";
        for (char16_t u : std::u16string(u"点号,北坐标,东坐标\r\nJ1,3380000,500100\r\n中桩,3380001,500101\r\n")) {
            utf16 += static_cast<char>(u & 0xFF);
            utf16 += static_cast<char>(u >> 8);
        }
        d.SetInputFile(Write("unicode.csv", utf16));
        auto& table = Child<QTableWidget>(d, "previewTable");
        QCOMPARE(Column(table, 0), QStringList({"J1", "中桩"}));

        d.SetInputFile(Write("nul-byte.csv", std::string("点号,北坐标,东坐标\nJ\0001,3380000,500100\n", 46)));
        QCOMPARE(table.rowCount(), 0);
        QCOMPARE(Child<QLabel>(d, "previewSummary").text(),
                 QStringLiteral("nul-byte.csv 第2行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"));
    }

    void savesAndReloadsAUserStyle() {
        {
            ImportDialog d(*ui_);
            Child<QLineEdit>(d, "columnsEdit").setText("name,skip,x,y,h,code");
            Child<QComboBox>(d, "delimiterCombo").setCurrentIndex(3);  // tab
            Child<QSpinBox>(d, "skipLinesSpin").setValue(2);
            Child<QComboBox>(d, "kindRuleCombo").setCurrentIndex(1);
            Child<QPlainTextEdit>(d, "codeMapEdit").setPlainText("0,0,JD\n3,通信线,TX\n");
            Child<QLineEdit>(d, "styleNameEdit").setText("cass");
            d.OnSaveStyle();
            QCOMPARE(ui_->Texts().back(), QStringLiteral("“cass”是内置样式的名称，请换一个名称"));
            Child<QLineEdit>(d, "styleNameEdit").setText("现场RTK");
            d.OnSaveStyle();
            QCOMPARE(Child<QComboBox>(d, "styleCombo").currentData().toString(), QStringLiteral("user:现场RTK"));
        }
        ImportDialog again(*ui_);
        ChooseStyle(again, "user:现场RTK");
        import::ImportStyle style;
        QString why;
        QVERIFY2(again.CurrentStyle(style, why), qPrintable(why));
        QCOMPARE(QString::fromStdString(import::ColumnListText(style.columns)), QStringLiteral("name,skip,x,y,h,code"));
        QCOMPARE(style.delimiter, import::Delimiter::Tab);
        QCOMPARE(style.skipLines, 2);
        QCOMPARE(style.kindRule, import::KindRule::CodeMap);
        QCOMPARE(style.codeKinds.size(), std::size_t{2});
        QCOMPARE(style.codeKinds[1].kind, 3);
        QCOMPARE(style.codeKinds[1].feature, 40);  // 通信线 through the crossed-object table
        QCOMPARE(Child<QLineEdit>(again, "styleNameEdit").text(), QStringLiteral("现场RTK"));
        // Saving the same name again asks before replacing; deleting removes it.
        ui_->answers = {false};
        again.OnSaveStyle();
        QCOMPARE(ui_->Texts().back(), QStringLiteral("样式“现场RTK”已存在，要替换它吗？"));
        again.OnDeleteStyle();
        QCOMPARE(Child<QComboBox>(again, "styleCombo").findData("user:现场RTK"), -1);
    }

    // The code map is read as a saved style reads its code lines; a bad line
    // is named by its line in the box.
    void readsTheCodeMapAsAStyleDoes() {
        ImportDialog d(*ui_);
        ChooseStyle(d, "builtin:pn-pc-x-y-h");
        Child<QComboBox>(d, "kindRuleCombo").setCurrentIndex(1);
        auto& codes = Child<QPlainTextEdit>(d, "codeMapEdit");
        import::ImportStyle style;
        QString why;
        codes.setPlainText(" 0 , 0 , JD \n\n3,通信线 ,TX,甲\n");
        QVERIFY2(d.CurrentStyle(style, why), qPrintable(why));
        QCOMPARE(style.codeKinds, (std::vector<import::CodeKind>{{"JD", 0, 0}, {"TX,甲", 3, 40}}));
        codes.setPlainText("0,0,JD\n\n 4,不存在,路\n");
        QVERIFY(!d.CurrentStyle(style, why));
        QCOMPARE(why, QStringLiteral("编码对应第3行应为“点类型,地物编码,编码”，地物编码须在该点类型的代码表中：4,不存在,路"));
    }

    void okWritesAProjectTheWindowOpens() {
        MainWindow& frame = Start();
        const QString input = Write("bad.csv", kCassWithBadLines);
        const std::string target = dir_->File("bad.PD");
        std::ofstream(target, std::ios::binary) << "keep";
        // Bad lines: take the good ones. Existing target: not replaced.
        ui_->answers = {true, false};
        Import(frame, [&](ImportDialog& d) {
            ChooseStyle(d, "builtin:cass");
            d.SetInputFile(input);
        });
        QCOMPARE(ui_->Texts(), QStringList({"bad.csv 有3行无法读取（见“无法读取的行”）。\n只导入其余2个点吗？",
                                            "文件已存在：" + Shown(target) + "\n要替换它吗？"}));
        QVERIFY(ui_->messages.back().defaultNo);
        QVERIFY(!frame.Document().IsOpen());
        std::string content;
        std::ifstream(target) >> content;  // closed again: Windows replaces no open file
        QCOMPARE(content, std::string("keep"));

        ui_->messages.clear();
        ui_->answers = {true, true};
        Import(frame, [&](ImportDialog& d) {
            ChooseStyle(d, "builtin:cass");
            d.SetInputFile(input);
        });
        QVERIFY(frame.Document().IsOpen());
        QCOMPARE(frame.Document().Path(), QString::fromStdString(target));
        QCOMPARE(Names(frame.Document().Points()), (std::vector<std::string>{"J1", "J3"}));
        QCOMPARE(frame.PointTable().Model().rowCount(), 2);

        // The open project is never the target of another import.
        ui_->messages.clear();
        Import(frame, [&](ImportDialog& d) {
            // The style of the last import is where the dialog starts.
            QCOMPARE(Child<QComboBox>(d, "styleCombo").currentData().toString(), QStringLiteral("builtin:cass"));
            d.SetInputFile(input);
        });
        QVERIFY(ui_->Texts().back().startsWith(QStringLiteral("该工程正在本窗口中打开")));
        QCOMPARE(frame.Document().Points().size(), std::size_t{2});
    }

    // A GIS file (X east, Y north) is said in the preview; 交换X/Y列 reads it,
    // and OK offers the exchange when it is not ticked.
    void exchangedXYSaidAndOffered() {
        const QString input = Write("gis.csv", "X,Y,name,h\n500100.0,3380000.0,J1,12.5\n500300.0,3380200.0,J2,12.8\n");
        {
            ImportDialog d(*ui_);
            ChooseStyle(d, "builtin:header");
            d.SetInputFile(input);
            QVERIFY(d.Preview().looksSwapped);
            QVERIFY(Child<QLabel>(d, "previewSummary").text().contains(QStringLiteral("勾选“交换X/Y列”")));
            Child<QCheckBox>(d, "swapXYCheck").setChecked(true);
            QCOMPARE(Child<QLabel>(d, "previewSummary").text(),
                     QStringLiteral("可导入2个点：J桩2个，Z桩0个，其他0个；无法读取0行"));
            QCOMPARE(Child<QTableWidget>(d, "previewTable").item(0, 3)->text(), QStringLiteral("3380000.000"));
        }
        MainWindow& frame = Start();
        ui_->answers = {true};
        Import(frame, [&](ImportDialog& d) {
            ChooseStyle(d, "builtin:header");
            d.SetInputFile(input);
        });
        QCOMPARE(ui_->messages.size(), std::size_t{1});
        QVERIFY(ui_->Texts().front().endsWith(QStringLiteral("交换X/Y列后导入吗？")));
        QVERIFY(frame.Document().IsOpen());
        const DHPointList& points = frame.Document().Points();
        QCOMPARE(points.size(), std::size_t{2});
        QCOMPARE(points[0].Dx, 3380000.0);
        QCOMPARE(points[0].Dy, 500100.0);
    }

    void latLonForAnOpenProjectUndoable() {
        MainWindow& frame = Start();
        QAction& action = Child<QAction>(frame, "computeLatLonAction");
        QVERIFY(!action.isEnabled());
        Import(frame, [&](ImportDialog& d) {
            ChooseStyle(d, "builtin:cass");
            Child<QRadioButton>(d, "noProjectionRadio").setChecked(true);
            d.SetInputFile(Write("plain.csv", kCass));
        });
        QVERIFY(action.isEnabled());
        const std::string path = frame.Document().Path().toStdString();
        for (const DHPoint& p : frame.Document().Points()) QCOMPARE(p.B, 0.0);

        ui_->dialogs.push_back(FillThenOk<LatLonDialog>([](LatLonDialog& d) {
            QVERIFY(Child<QLabel>(d, "latLonText").text().startsWith(QStringLiteral("有4个点没有经纬度")));
            Child<QRadioButton>(d, "zoneRadio").setChecked(true);
            Child<QSpinBox>(d, "zoneSpin").setValue(38);  // 3° zone 38: 114°E
        }));
        action.trigger();
        QCOMPARE(ui_->Texts().back(), QStringLiteral("已为4个点计算经纬度（3°带第38带，中央子午线114°，东坐标加500 km）。"));
        std::string error;
        const auto gk = GaussKruger::Create(ZoneOfNumber(38, 3), error);
        QVERIFY(gk);
        const DHPointList stored = ReadBack(path);
        QCOMPARE(stored.size(), std::size_t{4});
        for (const DHPoint& p : stored) {
            double b = 0, l = 0;
            QVERIFY(gk->ToGeographic(p.Dx, p.Dy, b, l));
            QVERIFY2(std::fabs(p.B - b) < 1e-9 && std::fabs(p.L - l) < 1e-9, p.NewPtName.c_str());
        }
        QCOMPARE(frame.Document().History().undoText(), QStringLiteral("计算经纬度"));
        frame.Document().History().undo();
        for (const DHPoint& p : ReadBack(path)) QCOMPARE(p.L, 0.0);
        frame.Document().History().redo();
        for (const DHPoint& p : ReadBack(path)) QVERIFY(p.L > 113);
        // Nothing left to compute.
        action.trigger();
        QCOMPARE(ui_->Texts().back(), QStringLiteral("所有点都已有经纬度，无需计算。"));
        QCOMPARE(ui_->unexpectedDialogs, 0);
    }
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"
