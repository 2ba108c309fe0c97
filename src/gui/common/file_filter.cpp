#include "common/file_filter.h"

#include <QStringList>

namespace linvara::gui {
namespace {

// File names are case-sensitive here but not where the projects come from:
// "*.PD" must also find "line.pd".
QString WithCaseVariants(const QString& patterns) {
    QStringList out;
    for (const QString& p : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        for (const QString& variant : {p, p.toLower(), p.toUpper()})
            if (!out.contains(variant)) out << variant;
    }
    return out.join(QLatin1Char(' '));
}

}  // namespace

QString QtFileFilter(std::string_view windowsFilter) {
    const QStringList parts = QString::fromUtf8(windowsFilter.data(), static_cast<qsizetype>(windowsFilter.size()))
                                  .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        if (label.isEmpty()) break;
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
        const QString shown = label.endsWith(bracketed) ? label.chopped(bracketed.size()).trimmed() : label;
        filters << shown + QStringLiteral(" (") + WithCaseVariants(pattern) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace linvara::gui
