#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace linvara::gui {

class MainWindow;

// One Linvara window per user receives the projects of later starts: a
// second double-click on a *.PD opens it in the running window (which saves
// its project first, as opening always does) instead of starting a second
// program on the same files. Paths travel as one UTF-8 line over a local
// socket private to the user; the receiver answers "OK" once it has the path.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QString name = DefaultName(), QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The user's channel: a socket in the runtime folder on Linux.
    static QString DefaultName();

    // Sends `path` to the instance listening on this channel; true once it
    // acknowledged it. False when none listens or it did not answer in time,
    // so the caller opens the project itself. Blocks; needs no event loop.
    bool Forward(const QString& path, int timeoutMs = 3000) const;

    // Starts receiving (a socket file left by a program that no longer runs
    // is replaced). False when another instance already listens.
    bool Listen();

signals:
    void ProjectReceived(const QString& path);

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
};

// Opens the received projects in `window` one after the other, and brings
// the window to the front. While a dialog or message box of the window is
// open, or the window is still reading a project, the project waits, so
// nothing changes under a dialog in use or a read under way.
class ForwardedProjectOpener : public QObject {
    Q_OBJECT
public:
    ForwardedProjectOpener(InstanceChannel& channel, MainWindow& window);

    QStringList Pending() const { return pending_; }

private:
    void Enqueue(const QString& path);
    void OpenNext();

    QPointer<MainWindow> window_;
    QStringList pending_;
};

}  // namespace linvara::gui
