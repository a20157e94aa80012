#include "platform/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

FileStamp FileStamp::Of(const QString& path) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.Exists = true;
    stamp.Device = static_cast<quint64>(st.st_dev);
    stamp.Inode = static_cast<quint64>(st.st_ino);
    stamp.Size = static_cast<qint64>(st.st_size);
    stamp.ModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.ChangedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}
