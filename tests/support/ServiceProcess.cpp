#include "ServiceProcess.h"

#include <QDeadlineTimer>
#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kControlTimeoutSec = 5;

// A plain HTTP/1.0 GET to 127.0.0.1, so that test helpers need no HTTP library of their own.
QByteArray LocalGet(int port, const QByteArray& target) {
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0)
        return {};
    timeval timeout{kControlTimeoutSec, 0};
    ::setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QByteArray answer;
    if (::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const QByteArray request = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
        if (::send(sock, request.constData(), request.size(), MSG_NOSIGNAL) == request.size()) {
            char buffer[4096];
            ssize_t n;
            while ((n = ::recv(sock, buffer, sizeof buffer, 0)) > 0)
                answer.append(buffer, static_cast<int>(n));
        }
    }
    ::close(sock);
    const int bodyStart = answer.indexOf("\r\n\r\n");
    return bodyStart < 0 ? QByteArray() : answer.mid(bodyStart + 4);
}

} // namespace

ServiceProcess::ServiceProcess(double speed, const QString& start, const QStringList& extraArgs) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return;
    }
    logPath_ = dir_.filePath(QStringLiteral("requests.log"));
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"),     QStringLiteral("--speed"),
                     QString::number(speed),   QStringLiteral("--log"), logPath_};
    if (!start.isEmpty())
        args << QStringLiteral("--start") << start;
    args << extraArgs;

    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(VELKARO_SERVICE_BIN), args);
    if (!process_.waitForStarted(kStartTimeoutMs)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(VELKARO_SERVICE_BIN, process_.errorString());
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!process_.canReadLine() && process_.state() == QProcess::Running && !deadline.hasExpired())
        process_.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    if (!process_.canReadLine()) {
        error_ = QStringLiteral("the service printed no port");
        Stop(1000);
        return;
    }
    bool ok = false;
    port_ = QString::fromLatin1(process_.readLine()).trimmed().toInt(&ok);
    if (!ok || port_ <= 0) {
        error_ = QStringLiteral("the first line of the service is not a port");
        port_ = 0;
        Stop(1000);
    }
}

ServiceProcess::~ServiceProcess() {
    Stop();
}

bool ServiceProcess::IsRunning() const {
    return port_ > 0 && process_.state() == QProcess::Running;
}

QString ServiceProcess::BaseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

QStringList ServiceProcess::LogLines() const {
    QFile file(logPath_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray ServiceProcess::Control(const QString& pathAndQuery) const {
    if (!IsRunning())
        return {};
    return LocalGet(port_, pathAndQuery.toUtf8());
}

bool ServiceProcess::Fault(const QString& kind, int count, const QString& file, int seconds) const {
    QString query = QStringLiteral("/_control/fault?kind=%1&count=%2").arg(kind).arg(count);
    if (!file.isEmpty())
        query += QStringLiteral("&file=") + file;
    if (seconds >= 0)
        query += QStringLiteral("&seconds=%1").arg(seconds);
    return Control(query).startsWith("OK");
}

int ServiceProcess::Stop(int timeoutMs) {
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    process_.terminate(); // SIGTERM
    if (!process_.waitForFinished(timeoutMs)) {
        process_.kill();
        process_.waitForFinished(1000);
        return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}
