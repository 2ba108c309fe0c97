#pragma once

// The record and INI texts of the tower-base section output, held together so
// they can be read beside the design package's description of them.
namespace linvara::towerbase {

// The centre stake is always point 1 at the origin.
inline constexpr char kCentreRecord[] = "b,    1,0.0000,0.0000,0.0000,  8205=01+  13,    0,    0,    0\n";
// Point number, first and second plan coordinate, height relative to the stake.
inline constexpr char kSectionPointRecord[] = "b,    %d,%.4f,%.4f,%.4f,   8192=01+   0,    0,    0,    0\n";
// Point number and link style; the first point of a section links to point 1.
inline constexpr char kFirstLinkRecord[] = "c,    %d,    1,    0,    %d\n";
// Point number, previous point number and link style.
inline constexpr char kFurtherLinkRecord[] = "c,    %d,    %d,    0,    %d\n";

// The drawing settings of the tower-base section sheet, identical for every stake.
inline constexpr char kIniText[] =
    "[图廓设置]\n"
    "线路图_0或无网格_1=3\n"
    "线路断面图比例尺=100\n"
    "线路平面图比例尺=150\n"
    "[图廓范围]\n"
    "左=-21.000000\n"
    "右=21.000000\n"
    "上=29.700000\n"
    "下=-29.700000\n"
    "[当前显示区域]\n"
    "L_X0=27.000000\n"
    "L_Y0=14.500000\n"
    "BL_VALUE=23.000000\n"
    "[塔基断面图参数]\n"
    "图纸宽=210.000000\n"
    "图纸高=297.000000\n"
    "横比例尺=200\n"
    "纵比例尺=200\n"
    "样式=1\n"
    "偏移误差=0.200000\n"
    "坐标轴长度=7\n"
    "[塔基断面图图签]\n"
    "序号=1\n"
    "塔号=1\n"
    "图号=1\n"
    "杆塔位置=1\n"
    "塔脚高程=0\n"
    "[立塔]\n"
    "塔起始序号=0\n"
    "[Settings]\n"
    "Menu=1\n"
    "[BMP]\n"
    "BMPCount=0\n";

// Signs of the two plan coordinates of the sections A..H; E..H repeat A..D.
struct PlanSigns {
    int first;
    int second;
};
inline constexpr PlanSigns kSectionSigns[8] = {{+1, -1}, {+1, +1}, {-1, +1}, {-1, -1},
                                               {+1, -1}, {+1, +1}, {-1, +1}, {-1, -1}};

}  // namespace linvara::towerbase
