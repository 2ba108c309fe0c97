#include "plan/plot_labels.h"

#include <QFontMetrics>

namespace linvara::gui {

void PlotLabels::Reset(std::size_t count) {
    texts_.assign(count, QString());
    made_.assign(count, false);
    widths_.assign(count, -1);
}

void PlotLabels::Forget(std::size_t index) {
    if (index >= made_.size()) return;
    made_[index] = false;
    widths_[index] = -1;
}

void PlotLabels::Insert(std::size_t index) {
    if (index > made_.size()) return;
    texts_.insert(texts_.begin() + static_cast<std::ptrdiff_t>(index), QString());
    made_.insert(made_.begin() + static_cast<std::ptrdiff_t>(index), false);
    widths_.insert(widths_.begin() + static_cast<std::ptrdiff_t>(index), -1);
}

void PlotLabels::Erase(std::size_t index) {
    if (index >= made_.size()) return;
    texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(index));
    made_.erase(made_.begin() + static_cast<std::ptrdiff_t>(index));
    widths_.erase(widths_.begin() + static_cast<std::ptrdiff_t>(index));
}

const QString& PlotLabels::Text(std::size_t index, const linvara::DHPoint& point) {
    if (!made_[index]) {
        QString text = QString::fromStdString(point.NewPtName);
        text += QLatin1Char('(');
        text += QString::fromStdString(point.OrgPtName);
        text += QLatin1Char(')');
        texts_[index] = std::move(text);
        made_[index] = true;
    }
    return texts_[index];
}

int PlotLabels::Width(std::size_t index, const linvara::DHPoint& point, const QFontMetrics& metrics) {
    if (widths_[index] < 0) widths_[index] = metrics.horizontalAdvance(Text(index, point));
    return widths_[index];
}

}  // namespace linvara::gui
