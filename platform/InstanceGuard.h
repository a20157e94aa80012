#pragma once
// One running instance per program name: a lock file in the user's runtime folder decides which
// process runs, and a local socket next to it lets a later start ask the running one to come to the
// front. Nothing else passes between the two processes.
#include <QObject>
#include <QString>

class QLocalServer;

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    // Takes the lock of Name. Only a lock held by another process makes this a second instance;
    // when the lock cannot be taken for any other reason the program runs unguarded.
    explicit InstanceGuard(const QString& Name, QObject* parent = nullptr);
    ~InstanceGuard() override; // releases the lock and removes the socket

    bool IsFirst() const { return first_; }
    // True while this process holds the lock (false for a second or an unguarded instance).
    bool IsGuarded() const { return lockFd_ >= 0; }

    // Second instance: asks the running one to come to the front. False when it cannot be reached
    // within timeoutMs.
    bool NotifyFirst(int timeoutMs = 2000) const;

    // The folder of the lock file and socket: $XDG_RUNTIME_DIR, else a private folder under the
    // temporary folder.
    static QString RuntimeFolder();
    // The name's hashed key: a name can be longer than a socket path may be.
    static QString KeyOf(const QString& Name);

signals:
    // A later start of the same program asked to bring this one to the front.
    void ActivationRequested();

private:
    void listen();

    QString key_;
    QString folder_;
    int lockFd_ = -1;
    bool first_ = true;
    QLocalServer* server_ = nullptr;
};

// The default application title of an executable: its file name without folder, cut at the first
// ".", the first character kept and every later one lower-cased; at most 512 characters.
QString ApplicationTitleOf(const QString& executablePath);
// "PREVINST:" + Title.
QString InstanceMutexName(const QString& Title);
