#pragma once
// What the fuzz targets share: a scratch file of their own and a check that stops the run with a
// message (libFuzzer saves the input that broke it).
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzz {

// A folder of this process (one per process, so parallel jobs of one target do not share files), in
// memory where the system has /dev/shm: the targets save through temporary files that are synced to
// disk, thousands of times a second.
inline QString ScratchPath() {
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/velkaro-fuzz-%1").arg(::getpid());
}

// Made at the first use, removed at exit.
inline QString ScratchDir() {
    static const bool made = [] {
        QDir().mkpath(ScratchPath());
        std::atexit([] { QDir(ScratchPath()).removeRecursively(); });
        return true;
    }();
    (void)made;
    return ScratchPath();
}

inline QString ScratchFile(const char* name) {
    return ScratchDir() + u'/' + QLatin1String(name);
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
}

// A property every input must keep; a broken one is a finding like a crash.
#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond);                 \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

} // namespace fuzz
