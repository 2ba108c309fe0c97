#pragma once
// One worksheet written from a table of columns: the sheets only choose
// values, the writer gives every sheet the same look, widths and page setup.
#include <xlsxwriter.h>

#include <span>
#include <string>
#include <variant>
#include <vector>

namespace linvara::report {

enum class CellFormat {
    Text,
    Count,      // whole number
    Fixed3,     // spans
    Fixed4,     // coordinates, heights, mileages, offsets, lengths
    Degrees10,  // latitude and longitude, decimal degrees
};

struct Column {
    const char* header;
    CellFormat format;
};

// An empty cell, a text or a number.
using Cell = std::variant<std::monostate, std::string, double>;
// A text, or an empty cell for an empty text.
inline Cell TextCell(const std::string& text) { return text.empty() ? Cell{} : Cell{text}; }

// The cell formats of one workbook, made once and shared by its sheets.
struct CellStyles {
    explicit CellStyles(lxw_workbook* book);
    lxw_format* header;
    lxw_format* text;
    lxw_format* count;
    lxw_format* fixed3;
    lxw_format* fixed4;
    lxw_format* degrees10;
};

struct PageHeader {
    std::string title;
    std::string date;
};

class SheetWriter {
public:
    // Adds the sheet `name` and writes the header row.
    SheetWriter(lxw_workbook* book, const CellStyles& styles, const char* name, std::span<const Column> columns);

    // The next row; `cells` holds at most one cell per column. A number is
    // stored as the value its format shows, as the text outputs print it.
    void AddRow(std::span<const Cell> cells);
    // Column widths, frozen header row and page setup. Returns the first
    // error of the sheet's calls, LXW_NO_ERROR when there was none.
    lxw_error Finish(const PageHeader& header);

private:
    void Note(lxw_error error);
    void Widen(std::size_t column, double width);
    lxw_format* FormatOf(CellFormat format) const;

    lxw_worksheet* sheet_;
    const CellStyles& styles_;
    std::span<const Column> columns_;
    std::vector<double> widths_;
    lxw_row_t row_ = 1;
    lxw_error error_ = LXW_NO_ERROR;
};

// The page header text: the title on the left, the date on the right; "&"
// doubled so that it prints, the title shortened to Excel's limit.
std::string PageHeaderText(const PageHeader& header);

// The width of a text in the character cells of a sheet column: wide (CJK)
// characters take two.
double DisplayWidth(const std::string& utf8);

}  // namespace linvara::report
