#include "report/sheet_writer.h"

#include <algorithm>

#include "text/format.h"

namespace linvara::report {
namespace {

constexpr uint8_t kPaperA4 = 9;
constexpr double kPadding = 2;    // a little air on either side of the widest cell
constexpr double kMaxWidth = 60;  // a long remark wraps the printout no further
// Excel allows 255 characters in a page header; the date and codes need some.
constexpr std::size_t kMaxTitleChars = 100;  // 200 once every "&" is doubled

int DecimalsOf(CellFormat format) {
    switch (format) {
        case CellFormat::Count: return 0;
        case CellFormat::Fixed3: return 3;
        case CellFormat::Fixed4: return 4;
        case CellFormat::Degrees10: return 10;
        case CellFormat::Text: break;
    }
    return -1;
}

lxw_format* NumberFormat(lxw_workbook* book, const char* pattern) {
    lxw_format* format = workbook_add_format(book);
    format_set_num_format(format, pattern);
    return format;
}

lxw_format* HeaderFormat(lxw_workbook* book) {
    lxw_format* format = workbook_add_format(book);
    format_set_bold(format);
    format_set_align(format, LXW_ALIGN_CENTER);
    format_set_bottom(format, LXW_BORDER_THIN);
    format_set_bg_color(format, 0xD9D9D9);
    return format;
}

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& utf8, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && chars++ == count) return utf8.substr(0, i);
    return utf8;
}

std::string EscapeAmpersands(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

}  // namespace

CellStyles::CellStyles(lxw_workbook* book)
    : header(HeaderFormat(book)),
      text(workbook_add_format(book)),
      count(NumberFormat(book, "0")),
      fixed3(NumberFormat(book, "0.000")),
      fixed4(NumberFormat(book, "0.0000")),
      degrees10(NumberFormat(book, "0.0000000000")) {}

SheetWriter::SheetWriter(lxw_workbook* book, const CellStyles& styles, const char* name,
                         std::span<const Column> columns)
    : sheet_(workbook_add_worksheet(book, name)), styles_(styles), columns_(columns), widths_(columns.size(), 0) {
    if (!sheet_) {
        error_ = LXW_ERROR_MEMORY_MALLOC_FAILED;
        return;
    }
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        Note(worksheet_write_string(sheet_, 0, static_cast<lxw_col_t>(c), columns_[c].header, styles_.header));
        Widen(c, DisplayWidth(columns_[c].header));
    }
}

void SheetWriter::AddRow(std::span<const Cell> cells) {
    if (!sheet_) return;
    for (std::size_t c = 0; c < cells.size() && c < columns_.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        if (const auto* textValue = std::get_if<std::string>(&cells[c])) {
            Note(worksheet_write_string(sheet_, row_, col, textValue->c_str(), styles_.text));
            Widen(c, DisplayWidth(*textValue));
        } else if (const auto* number = std::get_if<double>(&cells[c])) {
            const int decimals = std::max(0, DecimalsOf(columns_[c].format));
            Note(worksheet_write_number(sheet_, row_, col, text::RoundAsPrinted(*number, decimals),
                                        FormatOf(columns_[c].format)));
            Widen(c, DisplayWidth(text::Format("%.*f", decimals, *number)));
        }
    }
    ++row_;
}

lxw_error SheetWriter::Finish(const PageHeader& header) {
    if (!sheet_) return error_;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        Note(worksheet_set_column(sheet_, col, col, std::min(widths_[c] + kPadding, kMaxWidth), nullptr));
    }
    worksheet_freeze_panes(sheet_, 1, 0);
    worksheet_set_landscape(sheet_);
    worksheet_set_paper(sheet_, kPaperA4);
    worksheet_fit_to_pages(sheet_, 1, 0);  // every column on the page, as many pages down as it takes
    Note(worksheet_repeat_rows(sheet_, 0, 0));
    Note(worksheet_set_header(sheet_, PageHeaderText(header).c_str()));
    Note(worksheet_set_footer(sheet_, "&C第 &P 页，共 &N 页"));
    return error_;
}

void SheetWriter::Note(lxw_error error) {
    if (error_ == LXW_NO_ERROR) error_ = error;
}

void SheetWriter::Widen(std::size_t column, double width) { widths_[column] = std::max(widths_[column], width); }

lxw_format* SheetWriter::FormatOf(CellFormat format) const {
    switch (format) {
        case CellFormat::Count: return styles_.count;
        case CellFormat::Fixed3: return styles_.fixed3;
        case CellFormat::Fixed4: return styles_.fixed4;
        case CellFormat::Degrees10: return styles_.degrees10;
        case CellFormat::Text: break;
    }
    return styles_.text;
}

std::string PageHeaderText(const PageHeader& header) {
    return "&L" + EscapeAmpersands(FirstChars(header.title, kMaxTitleChars)) + "&R" + EscapeAmpersands(header.date);
}

double DisplayWidth(const std::string& utf8) {
    double width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // Three- and four-byte characters are CJK ideographs, full-width forms and the like.
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

}  // namespace linvara::report
