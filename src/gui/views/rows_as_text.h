#pragma once
#include <QString>
#include <vector>

class QTableView;

namespace linvara::gui {

// The rows of a table as a spreadsheet pastes them: a header line, then one
// line per row, cells separated by tabs. The columns are the ones shown, in
// the order shown; each cell reads as the table shows it. Tabs and line
// breaks inside a cell become spaces so a cell never splits.
QString RowsAsText(const QTableView& view, const std::vector<int>& rows);

}  // namespace linvara::gui
