// The usual headings of point lists, in Chinese and English.
#include "import/point_reader.h"
#include "text/format.h"

namespace linvara::import {
namespace {

struct Heading {
    Column column;
    const char* text;  // lower case
};

constexpr Heading kHeadings[] = {
    {Column::Name, "点名"},      {Column::Name, "点号"},       {Column::Name, "name"},
    {Column::Name, "pn"},        {Column::Name, "point"},      {Column::Name, "名称"},
    {Column::Code, "编码"},      {Column::Code, "代码"},       {Column::Code, "code"},
    {Column::Code, "pc"},        {Column::North, "x"},         {Column::North, "北"},
    {Column::North, "北坐标"},   {Column::North, "n"},         {Column::North, "north"},
    {Column::North, "northing"}, {Column::North, "x坐标"},     {Column::North, "北坐标x"},
    {Column::East, "y"},         {Column::East, "东"},         {Column::East, "东坐标"},
    {Column::East, "e"},         {Column::East, "east"},       {Column::East, "easting"},
    {Column::East, "y坐标"},     {Column::East, "东坐标y"},    {Column::Height, "h"},
    {Column::Height, "高程"},    {Column::Height, "z"},        {Column::Height, "height"},
    {Column::Height, "高"},      {Column::Height, "高程h"},    {Column::Height, "elevation"},
    {Column::Latitude, "b"},     {Column::Latitude, "纬度"},   {Column::Latitude, "lat"},
    {Column::Latitude, "latitude"}, {Column::Longitude, "l"},  {Column::Longitude, "经度"},
    {Column::Longitude, "lon"},  {Column::Longitude, "longitude"},
};

}  // namespace

std::vector<Column> ColumnsFromHeader(const std::vector<std::string_view>& headings) {
    std::vector<Column> columns;
    columns.reserve(headings.size());
    bool taken[static_cast<int>(Column::Skip) + 1] = {};
    for (std::string_view heading : headings) {
        const std::string key = text::AsciiLower(heading);
        Column column = Column::Skip;
        for (const Heading& h : kHeadings)
            if (key == h.text) column = h.column;
        // A heading repeated later is read once, at its first place.
        if (taken[static_cast<int>(column)]) column = Column::Skip;
        taken[static_cast<int>(column)] = column != Column::Skip;
        columns.push_back(column);
    }
    return columns;
}

}  // namespace linvara::import
