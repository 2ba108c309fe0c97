#include "model/code_tables.h"

#include "text/format.h"

namespace linvara {
namespace {

constexpr CodeName kPoleTypes[] = {
    {1, "[I]"},      {2, "[IJ]"},     {3, "[IJJ]"},    {4, "[LIJ]"},    {5, "[LIJJ]"},   {6, "[LLIJJ]"},
    {7, "[T]"},      {8, "[T2]"},     {9, "[T3]"},     {10, "[T4]"},    {11, "[T6]"},    {12, "[T8]"},
    {13, "[T111]"},  {14, "[T000]"},  {15, "[F]"},     {16, "[F22]"},   {17, "[F32]"},   {18, "[F42]"},
    {19, "[F44]"},   {20, "[F84]"},   {21, "[F88]"},   {22, "[F1113]"}, {23, "[F1114]"}, {24, "[F0003]"},
    {25, "[F0004]"}, {26, "[E]"},     {27, "[E442]"},  {28, "[E882]"},  {29, "[E888]"},  {30, "[Y]"},
    {31, "[S]"},     {32, "[H]"},     {33, "[HH]"},    {34, "[ZL]"},    {35, "[B]"},     {36, "[SHL]"},
    {37, "[YT4]"},   {38, "[YT2]"},   {39, "[SH]"},    {40, "[HL]"},    {41, "[MT]"},
};

constexpr CodeName kCrossingObjects[] = {
    {25, "750kV"},        {26, "800kV"},        {27, "1000kV"},        {30, "220V"},
    {31, "380V"},         {32, "10kV"},         {33, "35kV"},          {34, "110kV"},
    {35, "220kV"},        {36, "330kV"},        {37, "500kV"},         {38, "66kV"},
    {39, "154kV"},        {40, "通信线"},       {41, "一级通信线"},    {42, "二级通信线"},
    {43, "三级通信线"},   {44, "四级通信线"},   {45, "渡槽"},          {46, "索道"},
    {47, "特殊管道"},     {49, "架空光缆"},     {50, "地下通讯电缆"},  {51, "地下电缆380V"},
    {52, "地下电缆10kV"}, {53, "地下电缆35kV"}, {54, "地下电缆110kV"}, {55, "架空管道"},
    {56, "架空管道：气管"}, {57, "架空管道：水管"}, {58, "架空管道：油管"}, {59, "架空管道：污管"},
    {61, "地下管道"},     {62, "地下电缆"},     {63, "通航河流"},      {64, "不通航河流"},
    {65, "地下油管"},     {66, "地下天然气管"}, {67, "地下光缆"},      {68, "地下水管"},
    {71, "铁路"},         {72, "非标准铁路"},   {81, "I级公路"},       {82, "II级公路"},
    {83, "III级公路"},    {84, "IV级公路"},     {88, "围墙"},          {89, "行树"},
};

constexpr CodeName kPointCodes[] = {
    {13, "中心断面点"},   {21, "左边线点"},     {31, "右边线点"},       {40, "围墙顶点"},
    {41, "跨越线顶点"},   {42, "边线杆顶"},     {43, "危险点"},         {44, "左风偏点"},
    {45, "右风偏点"},     {46, "跨越边线顶点"}, {47, "跨越断面电杆顶点"}, {48, "房角点"},
    {51, "补测的中心断面点"}, {52, "补测的左断面点"}, {53, "补测的右断面点"}, {60, "前视沟边点"},
    {66, "后视山坡点"},   {70, "后视沟边点"},   {76, "前视山坡点"},     {80, "中线桩"},
    {89, "点房顶点"},     {93, "独立点"},       {94, "辅助点"},         {95, "平面图辅助点"},
    {96, "中线桩"},       {97, "P桩"},          {98, "塔位桩"},         {116, "火力发电厂"},
    {117, "水力发电厂"},  {120, "饲养场"},      {175, "方形支柱(架),墩"}, {184, "发电厂(站)"},
    {249, "燃料库(煤气)"}, {251, "气象站"},     {254, "变电站--室"},    {307, "亭子"},
    {308, "岗亭,岗楼,岗墩"}, {309, "钟楼,城楼,鼓楼"}, {310, "旧碉堡"}, {312, "土地庙"},
    {313, "教堂"},        {317, "散坟"},        {319, "塔形建筑物"},    {320, "水塔"},
    {321, "水塔烟囱"},    {326, "雷达站"},      {328, "堆,台,屋式窑"},  {329, "粮仓"},
    {332, "水磨房,水车"}, {333, "水泵站,抽水机站"}, {921, "半荒植物地"}, {922, "芦苇地"},
    {924, "小面积树林"},  {925, "零星树木"},    {926, "散树"},          {927, "阔叶独立树"},
    {928, "针叶独立树"},  {929, "果树独立树"},  {931, "幼林"},          {932, "疏林"},
    {933, "大面积竹林"},  {935, "稀疏灌木林"},  {936, "大面积灌木丛"},  {937, "独立灌木丛"},
    {938, "小面积树林"},  {941, "苗圃"},        {942, "草地"},          {943, "湿草地"},
    {945, "植物稀少地"},  {946, "经济林"},      {947, "经济作物地"},    {948, "水生经济作物地"},
    {950, "耕地,旱地"},   {981, "高树"},        {982, "矮树"},          {993, "荒草地"},
    {994, "(耕地)菜地"},  {995, "(耕地)水稻田"}, {996, "半荒草地"},     {997, "高草地"},
    {998, "花圃"},
};

constexpr CodeName kFeatureClasses[] = {
    {0, "单笔实线"},     {1, "水下等高线"},   {2, "虚线"},         {3, "点画线"},
    {7, "水边线"},       {10, "中心断面虚线"}, {11, "中心断面粗线"}, {12, "左边用细虚线"},
    {13, "右边用点划线"}, {14, "纵断面细实线"}, {15, "细虚线"},      {16, "细点划线"},
    {17, "风偏断面线"},  {18, "竖直的虚线"},  {19, "跨越窄路虚线"},  {20, "河水虚线"},
    {21, "断面围墙"},    {22, "钻孔"},        {184, "公路"},         {408, "铁路"},
    {186, "乡道"},       {183, "大坎路"},     {185, "小坎路"},       {710, "宁波路"},
    {173, "大坎沟"},     {175, "小坎沟"},     {191, "双线沟"},       {1175, "小坎河"},
    {1191, "双线河"},    {906, "单垄"},       {905, "宽垄"},         {904, "窄垄"},
    {2191, "窄路"},      {201, "房屋"},       {203, "棚房"},         {206, "建筑中房屋"},
    {211, "温室"},       {212, "菜窖"},       {213, "花房"},         {1000, "塘"},
    {915, "右未加固坎"}, {914, "右加固的坎"}, {938, "左未加固坎"},   {937, "左加固的坎"},
};

static_assert(std::size(kPoleTypes) == 41);
static_assert(std::size(kCrossingObjects) == 48);
static_assert(std::size(kPointCodes) == 81);
static_assert(std::size(kFeatureClasses) == 44);

const CodeName* Find(std::span<const CodeName> table, int code) {
    if (code == 0) return nullptr;  // 0 means "no code" for every lookup
    for (const CodeName& row : table)
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

std::span<const CodeName> PoleTypeTable() { return kPoleTypes; }
std::span<const CodeName> CrossingObjectTable() { return kCrossingObjects; }
std::span<const CodeName> PointCodeTable() { return kPointCodes; }
std::span<const CodeName> FeatureClassTable() { return kFeatureClasses; }

std::string PoleTypeRowText(const CodeName& row) { return text::Format("%d--%s", row.code, row.name); }
std::string CodeRowText(const CodeName& row) { return text::Format("%s(%d)", row.name, row.code); }

std::string PoleTypeText(int code) {
    const CodeName* row = Find(kPoleTypes, code);
    return row ? PoleTypeRowText(*row) : std::string();
}

std::string CodeText(std::span<const CodeName> table, int code) {
    const CodeName* row = Find(table, code);
    return row ? CodeRowText(*row) : std::string();
}

int IndexOfCode(std::span<const CodeName> table, int code) {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].code == code) return static_cast<int>(i);
    return -1;
}

}  // namespace linvara
