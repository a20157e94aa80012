#include "support/Samples.h"

#include <QDir>

QString SampleFile(const QString& fragment, const QString& fragment2) {
    const QDir dir(QStringLiteral(VELKARO_SAMPLES_DIR));
    for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        if (name.contains(fragment) && (fragment2.isEmpty() || name.contains(fragment2)))
            return dir.filePath(name);
    return {};
}
