#include "ServiceProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <httplib.h>

ServiceProcess::ServiceProcess(double speed, const QString& start, const QStringList& extraArgs) {
    constexpr int kStartTimeoutMs = 10000;
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return;
    }
    logPath_ = dir_.filePath(QStringLiteral("requests.log"));
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"),     QStringLiteral("--speed"),
                     QString::number(speed),   QStringLiteral("--log"), logPath_};
    if (!start.isEmpty())
        args << QStringLiteral("--start") << start;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(VELKARO_SERVICE_BIN), args + extraArgs);
    if (!process_.waitForStarted(kStartTimeoutMs)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(VELKARO_SERVICE_BIN, process_.errorString());
        return;
    }
    // The service's first line is the port it listens on.
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!process_.canReadLine() && process_.state() == QProcess::Running && !deadline.hasExpired())
        process_.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    bool ok = false;
    if (process_.canReadLine())
        port_ = QString::fromLatin1(process_.readLine()).trimmed().toInt(&ok);
    if (!ok || port_ <= 0) {
        error_ = QStringLiteral("the service printed no port");
        port_ = 0;
        Stop(1000);
    }
}

QStringList ServiceProcess::LogLines() const {
    QFile file(logPath_);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                          : QStringList();
}

QByteArray ServiceProcess::Control(const QString& pathAndQuery) const {
    if (!IsRunning())
        return {};
    httplib::Client client("127.0.0.1", port_);
    client.set_connection_timeout(5);
    client.set_read_timeout(5);
    client.set_url_encode(false); // sent as given
    const auto answer = client.Get(pathAndQuery.toStdString());
    return answer ? QByteArray::fromStdString(answer->body) : QByteArray();
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
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate(); // SIGTERM
        if (!process_.waitForFinished(timeoutMs)) {
            process_.kill();
            process_.waitForFinished(1000);
            return -1;
        }
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}
