#include "app/single_instance.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "app/main_window.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace linvara::gui {
namespace {

constexpr int kRetryMs = 300;
const QByteArray kAcknowledge = QByteArrayLiteral("OK\n");

}  // namespace

InstanceChannel::InstanceChannel(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::DefaultName() {
#ifdef Q_OS_UNIX
    // The runtime folder is the user's own (mode 0700); without one, a name
    // with the user id in the temporary folder, limited to the user below.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(QStringLiteral("linvara.instance"));
    return QDir::temp().filePath(QStringLiteral("linvara-%1.instance").arg(getuid()));
#else
    const QString user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("linvara-instance-%1").arg(user);
#endif
}

bool InstanceChannel::Forward(const QString& path, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
        answer += socket.readAll();
    }
    return answer == kAcknowledge;
}

bool InstanceChannel::Listen() {
    // Ask first: listening with access options replaces the socket file, so
    // it would take the channel from a running instance.
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) return false;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered: a socket file left by a program that crashed may go.
    if (!server_->listen(name_) && !(QLocalServer::removeServer(name_) && server_->listen(name_))) {
        delete server_;
        server_ = nullptr;
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::OnNewConnection);
    return true;
}

void InstanceChannel::OnNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        if (socket->bytesAvailable() > 0) OnReadyRead(socket);
    }
}

void InstanceChannel::OnReadyRead(QLocalSocket* socket) {
    if (!socket->canReadLine()) return;
    const QString path = QString::fromUtf8(socket->readLine()).chopped(1);
    socket->write(kAcknowledge);
    socket->flush();
    socket->disconnectFromServer();
    if (!path.isEmpty()) emit ProjectReceived(path);
}

ForwardedProjectOpener::ForwardedProjectOpener(InstanceChannel& channel, MainWindow& window)
    : QObject(&window), window_(&window) {
    connect(&channel, &InstanceChannel::ProjectReceived, this, &ForwardedProjectOpener::Enqueue);
}

void ForwardedProjectOpener::Enqueue(const QString& path) {
    pending_.push_back(path);
    QTimer::singleShot(0, this, &ForwardedProjectOpener::OpenNext);
}

void ForwardedProjectOpener::OpenNext() {
    if (pending_.isEmpty() || !window_) return;
    if (window_->IsOpening() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(kRetryMs, this, &ForwardedProjectOpener::OpenNext);
        return;
    }
    const QString path = pending_.takeFirst();
    window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window_->raise();
    window_->activateWindow();
    window_->OpenProjectFile(path);
    if (!pending_.isEmpty()) QTimer::singleShot(0, this, &ForwardedProjectOpener::OpenNext);
}

}  // namespace linvara::gui
