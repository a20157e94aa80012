// Which copies of the events table can be trusted: the shipped one, and none of the ways a file gets
// damaged (cut short, overwritten, grown, edited into something else).
#include "core/EventsDataCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Shipped() {
    QFile f(QStringLiteral(VELKARO_RESOURCES_DIR "/_install/data/EventsData.dat"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The shipped file with the line at `index` (counting from 0) replaced.
QByteArray WithLine(int index, const QByteArray& line) {
    QList<QByteArray> lines = Shipped().split('\n');
    lines[index] = line + '\r';
    return lines.join('\n');
}

} // namespace

TEST(EventsDataCheck, OnlyTheTableItselfIsSound) {
    const QByteArray shipped = Shipped();
    ASSERT_FALSE(shipped.isEmpty());
    QByteArray random(shipped.size(), '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 251);
    const struct {
        const char* what;
        QByteArray bytes;
        bool sound;
    } cases[] = {
        {"shipped", shipped, true},
        {"cut short", shipped.left(shipped.size() / 2), false},
        {"random bytes", random, false},
        {"empty", QByteArray(), false},
        {"a line more", shipped + "x\r\n", false},
        {"another header", WithLine(0, "TBKStringGrids"), false},
        // Row 1 starts at line 4 + 8: its code and its first class fields.
        {"a code that is no number", WithLine(12, "1x9"), false},
        {"a class field of text", WithLine(14, "goal"), false},
        {"a code of two digits", WithLine(12, "19"), false},
        {"a row emptied", WithLine(12, ""), true},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/data");
        QFile f(dir.path() + "/data/EventsData.dat");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(EventsDataFileIsSound(dir.path() + "/"), c.sound) << c.what;
    }
    EXPECT_FALSE(EventsDataFileIsSound(QStringLiteral("/nonexistent/")));
}
