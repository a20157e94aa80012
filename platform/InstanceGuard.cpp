#include "platform/InstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int kMaxTitleLength = 512;
} // namespace

QString ApplicationTitleOf(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name.left(kMaxTitleLength);
}

QString InstanceMutexName(const QString& Title) {
    return QStringLiteral("PREVINST:") + Title;
}

QString InstanceGuard::RuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/velkaro-") + QString::number(getuid());
    QDir().mkpath(own);
    QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return own;
}

QString InstanceGuard::KeyOf(const QString& Name) {
    return QStringLiteral("velkaro-") +
           QString::fromLatin1(QCryptographicHash::hash(Name.toUtf8(), QCryptographicHash::Sha1).toHex());
}

InstanceGuard::InstanceGuard(const QString& Name, QObject* parent)
    : QObject(parent), key_(KeyOf(Name)), folder_(RuntimeFolder()) {
    const QByteArray lockPath =
        QFile::encodeName(folder_ + QLatin1Char('/') + key_ + QStringLiteral(".lock"));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return; // no lock file: run unguarded
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        // Only a lock held by another process means another instance runs.
        if (error == EWOULDBLOCK)
            first_ = false;
        return;
    }
    lockFd_ = fd;
    listen();
}

InstanceGuard::~InstanceGuard() {
    if (server_)
        server_->close(); // removes the socket file
    if (lockFd_ >= 0)
        ::close(lockFd_); // the kernel drops the lock; it also does so when the process dies
}

void InstanceGuard::listen() {
    const QString socketPath = folder_ + QLatin1Char('/') + key_ + QStringLiteral(".sock");
    // We hold the lock, so a socket left there belongs to a process that has ended.
    QLocalServer::removeServer(socketPath);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
            emit ActivationRequested();
        }
    });
    if (!server_->listen(socketPath)) {
        // The program still runs guarded; a later start just cannot raise it.
        delete server_;
        server_ = nullptr;
    }
}

bool InstanceGuard::NotifyFirst(int timeoutMs) const {
    const QString socketPath = folder_ + QLatin1Char('/') + key_ + QStringLiteral(".sock");
    QElapsedTimer clock;
    clock.start();
    // The running instance may have taken the lock a moment ago and not be listening yet.
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        const int left = std::max<int>(0, timeoutMs - int(clock.elapsed()));
        if (socket.waitForConnected(left)) {
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(std::max<int>(0, timeoutMs - int(clock.elapsed())));
            return true;
        }
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(50);
    }
}
