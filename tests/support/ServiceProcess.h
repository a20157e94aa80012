#pragma once
// velkaro-service for a test: a free port on 127.0.0.1, a request log in a temporary folder, SIGTERM at
// the end; every wait bounded.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class ServiceProcess {
public:
    // Starts the service with --port 0, --speed, --start (when not empty), --log and `extraArgs`.
    // IsRunning() tells whether it came up; ErrorText() why not.
    explicit ServiceProcess(double speed = 1.0, const QString& start = {}, const QStringList& extraArgs = {});
    ~ServiceProcess() { Stop(); }
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool IsRunning() const { return port_ > 0 && process_.state() == QProcess::Running; }
    QString ErrorText() const { return error_; }
    int Port() const { return port_; }
    // "http://127.0.0.1:<port>", no slash at the end.
    QString BaseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    // The request log so far, one entry per request (path and query as sent).
    QStringList LogLines() const;

    // GET of a control path such as "/_control/fault?kind=refused&count=3": the answer body, or an empty
    // text when the request failed. Fault queues a fault: true when the service accepted it.
    QByteArray Control(const QString& pathAndQuery) const;
    bool Fault(const QString& kind, int count = 1, const QString& file = {}, int seconds = -1) const;

    // SIGTERM and a bounded wait: the exit code, or -1 when it had to be killed or did not exit normally.
    int Stop(int timeoutMs = 5000);

private:
    QTemporaryDir dir_;
    QString logPath_;
    QProcess process_;
    int port_ = 0;
    QString error_;
};
