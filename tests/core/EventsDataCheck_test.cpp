// Which copies of the events table can be trusted: the shipped one, and none of the ways a file gets
// damaged (cut short, overwritten, grown, edited into something else).
#include "core/EventsDataCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(EventsDataCheck, OnlyTheTableItselfIsSound) {
    QFile file(QStringLiteral(VELKARO_RESOURCES_DIR "/_install/data/EventsData.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray shipped = file.readAll();
    // The shipped file with line i (row 1 starts at line 4 + 8: its code, then its class fields) replaced.
    auto withLine = [&](int i, const QByteArray& line) {
        QList<QByteArray> lines = shipped.split('\n');
        lines[i] = line + '\r';
        return lines.join('\n');
    };
    const struct {
        QByteArray bytes;
        bool sound;
    } cases[] = {
        {shipped, true},
        {withLine(12, ""), true}, // a row without an event type
        {shipped.left(shipped.size() / 2), false},
        {QByteArray(shipped.size(), '\xA7'), false},
        {QByteArray(), false},
        {shipped + "x\r\n", false},
        {withLine(0, "TBKStringGrids"), false},
        {withLine(12, "1x9"), false},
        {withLine(12, "19"), false},
        {withLine(14, "goal"), false},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/data");
        QFile f(dir.path() + "/data/EventsData.dat");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(c.bytes) == c.bytes.size());
        f.close();
        EXPECT_EQ(EventsDataFileIsSound(dir.path() + "/"), c.sound) << &c - cases;
    }
}
