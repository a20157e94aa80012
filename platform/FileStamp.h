#pragma once
// What tells one state of a file from another without reading it: device, inode, size, and the times
// of the last change of its contents and of its entry as the file system keeps them. A file saved
// again (the program saves through a temporary file renamed over the old one) carries another stamp.
#include <QString>
#include <QtGlobal>

struct FileStamp {
    bool Exists = false;
    quint64 Device = 0;
    quint64 Inode = 0;
    qint64 Size = 0;
    qint64 ModifiedNs = 0;
    qint64 ChangedNs = 0;

    // The stamp of the file now; Exists is false when it cannot be found.
    static FileStamp Of(const QString& path);
    bool operator==(const FileStamp& other) const = default;
};
