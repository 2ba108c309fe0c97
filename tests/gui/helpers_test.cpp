// Small pure helpers of the desktop program: the about box's build date
// and the conversion of file-type filters.
#include <QTest>
#include <cstdio>

#include "app/build_date.h"
#include "common/file_filter.h"
#include "common/number_field.h"
#include "gui_test_support.h"

using namespace linvara::gui;

class HelpersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing::EnterCommaLocaleIfAsked(); }

    // The comma-locale run must really run under a comma locale, or it
    // proves nothing.
    void commaLocaleInEffectWhenAsked() {
        if (qEnvironmentVariableIsEmpty("LINVARA_EXPECT_COMMA_LOCALE")) QSKIP("not the comma-locale run");
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        QCOMPARE(QString::fromLatin1(text), QStringLiteral("1,5"));
    }

    void buildDate_data() {
        QTest::addColumn<QString>("compilerDate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blank before the day") << "Jun  5 2021" << "2021-6-5";
        QTest::newRow("January") << "Jan 31 2020" << "2020-1-31";
        QTest::newRow("February") << "Feb 10 2024" << "2024-2-10";
        QTest::newRow("March") << "Mar  1 2023" << "2023-3-1";
        QTest::newRow("April") << "Apr 30 2022" << "2022-4-30";
        QTest::newRow("May") << "May 15 2019" << "2019-5-15";
        QTest::newRow("July") << "Jul  4 2026" << "2026-7-4";
        QTest::newRow("August") << "Aug 20 2025" << "2025-8-20";
        QTest::newRow("September") << "Sep  9 2009" << "2009-9-9";
        QTest::newRow("October") << "Oct 11 2011" << "2011-10-11";
        QTest::newRow("November") << "Nov 22 2022" << "2022-11-22";
        QTest::newRow("December") << "Dec 25 2000" << "2000-12-25";
        QTest::newRow("unknown month") << "Xxx  2 2002" << "2002-1-2";
        QTest::newRow("too short") << "Jun  5 202" << "";
        QTest::newRow("empty") << "" << "";
    }
    void buildDate() {
        QFETCH(QString, compilerDate);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(BuildDateText(compilerDate.toStdString())), shown);
    }

    void fileFilters_data() {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("qt");
        QTest::newRow("project") << "Fieldora数据文件(*.PD)|*.PD|" << "Fieldora数据文件 (*.PD *.pd)";
        QTest::newRow("two kinds") << "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||"
                                   << "成果文件 (*.dat *.DAT);;成果文件 (*.CSV *.csv)";
        QTest::newRow("label without pattern") << "数据|*.tow;*.txt||" << "数据 (*.tow *.TOW *.txt *.TXT)";
        QTest::newRow("empty") << "" << "";
    }
    void fileFilters() {
        QFETCH(QString, windows);
        QFETCH(QString, qt);
        QCOMPARE(QtFileFilter(windows.toStdString()), qt);
    }

    void numbersInFields_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("fraction") << 0.5 << "0.5";
        QTest::newRow("fifteen digits") << 3.14159265358979323 << "3.14159265358979";
        QTest::newRow("large") << 1e20 << "1e+20";
        QTest::newRow("negative") << -12.25 << "-12.25";
    }
    void numbersInFields() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText(value), text);
    }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
