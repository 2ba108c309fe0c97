#pragma once
// Helpers shared by the desktop tests: scripted message boxes, file dialogs
// and modal dialogs, and small project files.
#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <clocale>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/ui_services.h"
#include "db/project_database.h"
#include "model/dh_point_list.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"
#include "views/point_list_model.h"
#include "views/point_table_view.h"

namespace linvara::gui::testing {

// Records every message and answers from scripts; a modal dialog runs the
// next scripted handler (none left: the dialog is cancelled).
class FakeUi final : public UiServices {
public:
    struct Message {
        QString kind;  // info, warning, error, yesno, okcancel, conflict, org-gate, clean-copy
        QString text;
        bool defaultNo = false;  // a question whose default button is No or Cancel
    };
    std::vector<Message> messages;
    std::deque<bool> answers;  // Yes/OK; empty: true
    std::deque<ConflictChoice> conflictAnswers;  // empty: Cancel
    std::deque<OrgGateChoice> gateAnswers;        // empty: Cancel
    std::deque<bool> cleanCopyAnswers;            // the copy button of OfferCleanCopy; empty: OK
    std::deque<QString> openFiles, saveFiles, directories;
    std::deque<std::function<int(QDialog&)>> dialogs;
    QString lastTitle, lastFilter, lastSuffix, lastStart;
    int unexpectedDialogs = 0;

    void Info(const QString& t) override { messages.push_back({"info", t}); }
    void Warning(const QString& t) override { messages.push_back({"warning", t}); }
    void Error(const QString& t) override { messages.push_back({"error", t}); }
    bool AskYesNo(const QString& t) override { return Answer("yesno", t, false); }
    bool OkCancel(const QString& t) override { return Answer("okcancel", t, false); }
    bool AskYesNoDefaultNo(const QString& t) override { return Answer("yesno", t, true); }
    bool OkCancelDefaultCancel(const QString& t) override { return Answer("okcancel", t, true); }
    ConflictChoice AskConflict(const QString& t) override {
        messages.push_back({"conflict", t});
        if (conflictAnswers.empty()) return ConflictChoice::Cancel;
        const ConflictChoice c = conflictAnswers.front();
        conflictAnswers.pop_front();
        return c;
    }
    OrgGateChoice AskBeforeOrg(const QString& t) override {
        messages.push_back({"org-gate", t, true});
        if (gateAnswers.empty()) return OrgGateChoice::Cancel;
        const OrgGateChoice c = gateAnswers.front();
        gateAnswers.pop_front();
        return c;
    }
    bool OfferCleanCopy(const QString& t) override {
        messages.push_back({"clean-copy", t});
        if (cleanCopyAnswers.empty()) return false;
        const bool copy = cleanCopyAnswers.front();
        cleanCopyAnswers.pop_front();
        return copy;
    }
    QString GetOpenFileName(const QString& title, const QString& filter, const QString& start) override {
        Remember(title, filter, QString(), start);
        return Pop(openFiles);
    }
    QString GetSaveFileName(const QString& title, const QString& filter, const QString& suffix,
                            const QString& suggested) override {
        Remember(title, filter, suffix, suggested);
        return Pop(saveFiles);
    }
    QString GetExistingDirectory(const QString& title, const QString& start) override {
        Remember(title, QString(), QString(), start);
        return Pop(directories);
    }
    // A handler returns how the dialog ended, as QDialog::exec would.
    bool Exec(QDialog& dialog) override {
        if (dialogs.empty()) {
            ++unexpectedDialogs;
            return false;
        }
        auto handler = std::move(dialogs.front());
        dialogs.pop_front();
        return handler(dialog) == QDialog::Accepted;
    }

    QStringList Texts() const {
        QStringList out;
        for (const Message& m : messages) out << m.text;
        return out;
    }
    QStringList Kinds() const {
        QStringList out;
        for (const Message& m : messages) out << m.kind;
        return out;
    }
    bool Said(const QString& text) const { return Texts().contains(text); }

private:
    bool Answer(const char* kind, const QString& text, bool defaultNo) {
        messages.push_back({QString::fromLatin1(kind), text, defaultNo});
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void Remember(const QString& title, const QString& filter, const QString& suffix, const QString& start) {
        lastTitle = title;
        lastFilter = filter;
        lastSuffix = suffix;
        lastStart = start;
    }
    static QString Pop(std::deque<QString>& queue) {
        if (queue.empty()) return {};
        QString v = queue.front();
        queue.pop_front();
        return v;
    }
};

// A dialog handler that presses the dialog's OK button and reports how the
// dialog ended (it stays open when the OK rule refuses).
template <typename Dialog, typename Fill>
std::function<int(QDialog&)> FillThenOk(Fill fill) {
    return [fill](QDialog& d) {
        auto& dialog = dynamic_cast<Dialog&>(d);
        fill(dialog);
        dialog.OnOk();
        return dialog.result();
    };
}

using linvara::testing::CollectorPoint;

// A line of three J stakes with points of every kind between them.
inline std::vector<CollectorPoint> SmallLine() {
    std::vector<CollectorPoint> points(8);
    auto set = [&](int i, const char* gps, const char* name, int type, double n, double e) {
        points[i].gpsId = gps;
        points[i].name = name;
        points[i].type = type;
        points[i].north = n;
        points[i].east = e;
        points[i].height = 50 + i;
    };
    set(0, "G01", "J1", 0, 1000, 500);
    set(1, "G02", "Z1", 1, 1050, 520);
    set(2, "G03", "A1", 2, 1080, 530);
    set(3, "G04", "C1", 3, 1100, 545);
    points[3].linkCode = 32;
    points[3].poleType = 3;
    set(4, "G05", "F1", 4, 1150, 560);
    points[4].gouType = 201;
    points[4].glWidth = "6.5";
    set(5, "G06", "J2", 0, 1200, 600);
    set(6, "G07", "F2", 5, 1250, 700);
    points[6].gouType = 1000;
    points[6].ptAfterSel = "B7";
    points[6].ptBeforSel = "F7";
    set(7, "G08", "J3", 0, 1300, 800);
    return points;
}

inline std::string WriteSmallProject(const linvara::testing::TempDir& dir, const std::string& name = "line.PD") {
    const std::string path = dir.File(name);
    linvara::testing::WriteCollectorProject(path, SmallLine());
    return path;
}

// The names of a list, in order.
inline std::vector<std::string> Names(const DHPointList& list) {
    std::vector<std::string> names;
    for (const DHPoint& p : list) names.push_back(p.NewPtName);
    return names;
}

// The names of the rows a list view shows, in order.
inline std::vector<std::string> ShownNames(const PointTableView& view) {
    std::vector<std::string> names;
    for (int row = 0; row < view.Model().rowCount(); ++row) names.push_back(view.Model().PointAt(row)->NewPtName);
    return names;
}

// The working stake list as stored in the project file now (empty when it
// cannot be read).
inline DHPointList ReadBack(const std::string& path) {
    SilentReporter silent;
    ProjectDatabase db(silent);
    DHPointList list;
    if (!db.OpenProject(path) || !db.ReadStakeList(list)) return {};
    return list;
}

// The first finding of `rule` in a check panel's tree (under its rule's
// row), at `column`; invalid when none is shown.
inline QModelIndex FindingIndex(const QAbstractItemModel& model, const QString& rule, int column = 0) {
    for (int group = 0; group < model.rowCount(); ++group) {
        const QModelIndex parent = model.index(group, 0);
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex at = model.index(row, column, parent);
            if (model.index(row, 1, parent).data().toString() == rule) return at;
        }
    }
    return {};
}

// Settings go to a test folder, never the user's, and start empty: what an
// earlier run remembered must not steer this one.
// A path as Qt keeps it ("/" on every system), for paths the program holds
// rather than shows.
inline QString QtPath(const std::string& path) { return QDir::fromNativeSeparators(QString::fromStdString(path)); }

// A project as the program names it: absolute, with the system's separators.
inline QString Shown(const std::string& path) {
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
}

// The comma-locale runs. A Linux program takes its C locale from LANG when Qt
// starts; a Windows program's C runtime starts in "C" whatever the user's
// locale, but any DLL in the process may switch it to the user's. Switched
// here, the run shows the program does not depend on it.
inline void EnterCommaLocaleIfAsked() {
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsEmpty("LINVARA_EXPECT_COMMA_LOCALE")) std::setlocale(LC_ALL, "German_Germany.1252");
#endif
}

inline void IsolateSettings() {
    EnterCommaLocaleIfAsked();
    QStandardPaths::setTestModeEnabled(true);
    // Windows keeps no settings for a program without an organisation name
    // (Linux files them under "Unknown Organization"); never the user's own.
    if (QCoreApplication::organizationName().isEmpty())
        QCoreApplication::setOrganizationName(QStringLiteral("Linvara-tests"));
    QSettings().clear();
}

}  // namespace linvara::gui::testing
