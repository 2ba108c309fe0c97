#include "views/rows_as_text.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableView>

namespace linvara::gui {
namespace {

QString OneLine(QString cell) {
    for (QChar& c : cell)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return cell;
}

}  // namespace

QString RowsAsText(const QTableView& view, const std::vector<int>& rows) {
    const QAbstractItemModel* model = view.model();
    const QHeaderView* header = view.horizontalHeader();
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!view.isColumnHidden(column)) columns.push_back(column);
    }
    QString text;
    const auto addLine = [&](auto cellOf) {
        QStringList cells;
        for (int column : columns) cells << OneLine(cellOf(column));
        text += cells.join(u'\t') + u'\n';
    };
    addLine([&](int column) { return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(); });
    for (int row : rows)
        addLine([&](int column) { return model->data(model->index(row, column), Qt::DisplayRole).toString(); });
    return text;
}

}  // namespace linvara::gui
