#include "dialogs/find_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/project_document.h"
#include "common/point_search.h"
#include "text/format.h"

namespace linvara::gui {

FindDialog::FindDialog(const ProjectDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), mode_(new QComboBox), text_(new QLineEdit), status_(new QLabel) {
    setObjectName("findDialog");
    setWindowTitle(QStringLiteral("查找"));
    setModal(false);
    mode_->setObjectName("findMode");
    mode_->addItem(QStringLiteral("点名"));
    mode_->addItem(QStringLiteral("里程"));
    mode_->setToolTip(QStringLiteral("按点名查找，或转到里程最接近的点"));
    text_->setObjectName("findText");
    text_->setPlaceholderText(QStringLiteral("点名或其开头、一部分"));
    text_->setClearButtonEnabled(true);
    status_->setObjectName("findStatus");
    auto* next = new QPushButton(QStringLiteral("查找下一个"));
    next->setObjectName("findNextButton");
    next->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("关闭"));
    close->setAutoDefault(false);
    connect(next, &QPushButton::clicked, this, &FindDialog::FindNext);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(text_, &QLineEdit::textChanged, this, &FindDialog::Restart);
    connect(mode_, &QComboBox::currentIndexChanged, this, [this](int mode) {
        text_->setPlaceholderText(mode == ByMileage ? QStringLiteral("里程，如 1250 或 K1+250")
                                                    : QStringLiteral("点名或其开头、一部分"));
        Restart();
    });
    // The list changed under the matches: find again.
    connect(&document_, &ProjectDocument::listReset, this, &FindDialog::Restart);
    connect(&document_, &ProjectDocument::orderChanged, this, &FindDialog::Restart);
    connect(&document_, &ProjectDocument::pointsInserted, this, &FindDialog::Restart);
    connect(&document_, &ProjectDocument::pointsRemoved, this, &FindDialog::Restart);
    auto* grid = new QGridLayout(this);
    grid->addWidget(mode_, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    grid->addWidget(status_, 1, 0, 1, 2);
    grid->addWidget(next, 2, 1);
    grid->addWidget(close, 2, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(420);
}

void FindDialog::SetMode(Mode mode) { mode_->setCurrentIndex(mode); }

QString FindDialog::StatusText() const { return status_->text(); }

void FindDialog::Restart() {
    stale_ = true;
    status_->clear();
}

bool FindDialog::FindNext() {
    const DHPointList& points = document_.Points();
    const std::string typed = text_->text().trimmed().toStdString();
    if (stale_) {
        matches_.clear();
        next_ = 0;
        stale_ = false;
        if (mode_->currentIndex() == ByMileage) {
            double metres = 0;
            if (!ParseMileage(typed, metres)) {
                status_->setText(QStringLiteral("请输入里程，如 1250 或 K1+250"));
                stale_ = true;
                return false;
            }
            if (const int at = NearestMileage(points, metres); at >= 0)
                matches_.push_back(points[static_cast<std::size_t>(at)].GPS_ID);
        } else {
            for (int at : FindByName(points, typed)) matches_.push_back(points[static_cast<std::size_t>(at)].GPS_ID);
        }
    }
    if (matches_.empty()) {
        status_->setText(typed.empty() ? QString() : QStringLiteral("找不到“%1”").arg(QString::fromStdString(typed)));
        return false;
    }
    if (next_ >= static_cast<int>(matches_.size())) next_ = 0;  // round again
    const std::string gpsId = matches_[static_cast<std::size_t>(next_)];
    const int index = document_.IndexOf(gpsId);
    QString where;
    if (index >= 0) {
        const DHPoint& p = points[static_cast<std::size_t>(index)];
        where = QString::fromStdString(text::Format("%s，第%d行，里程 %.3f m", p.NewPtName.c_str(), index + 1, p.Mileage));
    }
    status_->setText(QStringLiteral("第%1/%2个：").arg(next_ + 1).arg(matches_.size()) + where);
    ++next_;
    emit pointRequested(gpsId);
    return true;
}

}  // namespace linvara::gui
