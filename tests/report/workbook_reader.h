#pragma once
// Reads a workbook back with openpyxl, the reader our users' scripts use,
// into plain values: every sheet with its page setup and every cell with
// the type the reader sees.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../output/readback.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace linvara::testing {

struct ReadCell {
    char type = '-';   // 'n' number, 's' text, '-' empty
    std::string text;  // a text cell's text
    double number = 0; // a number cell's value, exactly as stored
};

struct ReadSheet {
    std::string name;
    std::string freeze;       // the first unfrozen cell, "A2" when the header row is frozen
    std::string orientation;  // "landscape" / "portrait"
    int paperSize = 0;        // 9 = A4
    std::string titleRows;    // rows repeated on every printed page, "$1:$1"
    std::string headerLeft, headerRight;
    std::vector<double> widths;  // per column; 0 when the column has no width set
    std::vector<std::vector<ReadCell>> rows;  // the header row first

    // The header texts of the first row.
    std::vector<std::string> Headers() const;
};

struct ReadWorkbook {
    bool ok = false;
    std::string error;  // the reader's output when it failed
    std::vector<ReadSheet> sheets;

    const ReadSheet* Sheet(const std::string& name) const;
};


namespace workbook_detail {

// One line per item, fields split by tabs: "sheet", "setup", "widths", then
// one "row" per row; numbers as hexadecimal floats, so they come back exactly.
inline constexpr const char* kDumpScript = R"(import sys
import openpyxl
from openpyxl.utils import get_column_letter
sys.stdout.reconfigure(encoding="utf-8")
def clean(text):
    return str(text).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
book = openpyxl.load_workbook(sys.argv[1])
for ws in book.worksheets:
    print("sheet\t" + clean(ws.title))
    print("\t".join(["setup", clean(ws.freeze_panes or ""), clean(ws.page_setup.orientation or ""),
                     clean(ws.page_setup.paperSize or 0), clean(ws.print_title_rows or ""),
                     clean(ws.oddHeader.left.text or ""), clean(ws.oddHeader.right.text or "")]))
    widths = []
    for c in range(1, ws.max_column + 1):
        dim = ws.column_dimensions.get(get_column_letter(c))
        widths.append(str(dim.width if dim is not None and dim.customWidth else 0))
    print("\t".join(["widths"] + widths))
    for row in ws.iter_rows():
        cells = ["row"]
        for cell in row:
            if cell.value is None:
                cells.append("-")
            elif cell.data_type == "n":
                cells.append("n:" + float(cell.value).hex())
            else:
                cells.append(cell.data_type + ":" + clean(cell.value))
        print("\t".join(cells))
)";

inline std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t') {
            fields.push_back(field);
            field.clear();
        } else if (line[i] == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            field += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            field += line[i];
        }
    }
    fields.push_back(field);
    return fields;
}

inline ReadCell ParseCell(const std::string& field) {
    ReadCell cell;
    if (field == "-") return cell;
    cell.type = field[0] == 'n' ? 'n' : 's';
    if (cell.type == 'n') cell.number = std::strtod(field.c_str() + 2, nullptr);
    else cell.text = field.substr(2);
    return cell;
}

inline void ParseLine(const std::vector<std::string>& f, ReadWorkbook& book) {
    if (f[0] == "sheet") {
        book.sheets.push_back({});
        book.sheets.back().name = f.at(1);
        return;
    }
    ReadSheet& sheet = book.sheets.back();
    if (f[0] == "setup") {
        sheet.freeze = f.at(1);
        sheet.orientation = f.at(2);
        sheet.paperSize = std::atoi(f.at(3).c_str());
        sheet.titleRows = f.at(4);
        sheet.headerLeft = f.at(5);
        sheet.headerRight = f.at(6);
    } else if (f[0] == "widths") {
        for (std::size_t i = 1; i < f.size(); ++i) sheet.widths.push_back(std::strtod(f[i].c_str(), nullptr));
    } else if (f[0] == "row") {
        std::vector<ReadCell> cells;
        for (std::size_t i = 1; i < f.size(); ++i) cells.push_back(ParseCell(f[i]));
        sheet.rows.push_back(std::move(cells));
    }
}

}  // namespace workbook_detail

inline std::vector<std::string> ReadSheet::Headers() const {
    std::vector<std::string> headers;
    if (!rows.empty())
        for (const ReadCell& cell : rows.front()) headers.push_back(cell.text);
    return headers;
}

inline const ReadSheet* ReadWorkbook::Sheet(const std::string& name) const {
    for (const ReadSheet& sheet : sheets)
        if (sheet.name == name) return &sheet;
    return nullptr;
}

// The interpreter that can import openpyxl: the one on the path, else the
// system's (a private Python on the path does not see the Debian package);
// empty when none can.
inline std::string PythonWithOpenpyxl() {
    for (const char* python : {"python3", "/usr/bin/python3"})
        if (std::system((std::string(python) + " -c 'import openpyxl' >/dev/null 2>&1").c_str()) == 0) return python;
    return "";
}

inline ReadWorkbook ReadWithOpenpyxl(const std::string& python, const std::string& path) {
    TempDir dir;
    const std::string script = dir.File("dump.py");
    WriteFileBytes(script, workbook_detail::kDumpScript);
    const ReaderRun run = RunReader(python + " " + ShellQuote(script) + " " + ShellQuote(path) + " 2>&1");
    ReadWorkbook book;
    if (run.exitCode != 0) {
        book.error = run.out;
        return book;
    }
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) workbook_detail::ParseLine(workbook_detail::SplitTabs(line), book);
    book.ok = true;
    return book;
}

}  // namespace linvara::testing
