// The shipped events-data file against the game's event types: every type under its padded code, with
// the class fields the class-string readers test at fixed positions; and which copies can be trusted.
#include "core/DataStore.h"
#include "core/EventsDataCheck.h"
#include "platform/IniFile.h"
#include "support/TestHelpers.h"

#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct EventType {
    int number;
    QString group; // e.g. "goal/central", "injury/keeps_playing", "match_info"
};

// The game's event types, and the shipped table.
class EventsData : public ::testing::Test {
protected:
    void SetUp() override {
        const QString facts = QString::fromUtf8(ReadBytes(VELKARO_DATA_FACTS_DIR "/event-types.tsv"));
        for (const QString& line : facts.split('\n').mid(1))
            if (const QStringList fields = line.trimmed().split('\t'); fields.size() == 3)
                types.push_back({fields[0].toInt(), fields[2]});
        ASSERT_GT(types.size(), 300);
        ASSERT_TRUE(ds.LoadEventsData(QStringLiteral(VELKARO_RESOURCES_DIR "/")));
    }
    QString Class(int type) const { return ds.EventoClase(QString::number(type)); }
    QVector<EventType> types;
    DataStore ds;
};
} // namespace

TEST_F(EventsData, EveryTypeHasOneRowUnderItsPaddedCodeAndWorkedExamplesTheirClass) {
    const TBKStringGrid& t = ds.BKStringGridEventsData;
    QSet<QString> codes;
    int rows = 0;
    for (int r = 1; r < t.RowCount(); ++r) {
        const QString code = t.Cells(EventsDataColumn::EventTypeCode, r);
        if (code.isEmpty())
            continue;
        ++rows;
        EXPECT_EQ(code.size(), 3) << code.toStdString();
        EXPECT_FALSE(codes.contains(code)) << "duplicate " << code.toStdString();
        codes.insert(code);
        EXPECT_EQ(t.Cells(EventsDataColumn::ClassPrefix, r), "");
        EXPECT_EQ(t.Cells(7, r), "");
    }
    EXPECT_EQ(rows, types.size());
    for (const EventType& e : types) {
        EXPECT_TRUE(codes.contains(QString::number(e.number).rightJustified(3, '0'))) << e.number;
        EXPECT_TRUE(Class(e.number).startsWith(",")) << e.number;
    }
    EXPECT_EQ(Class(20), ds.EventoClase("020"));
    // Worked examples: classes the match summary, the sounds and the statistics count.
    // clang-format off
    const std::pair<int, const char*> examples[] = {
        {104, ",0,0,0,,3,"}, {217, ",0,1,1,10,,"}, {141, ",0,0,2,,0,"}, {186, ",0,0,2,,5,"}, {118, ",0,0,1,2,,"},
        {187, ",0,0,0,,6,"}, {107, ",0,0,1,9,,"}, {510, ",3,0,,,,"}, {511, ",3,0,,,,"}, {512, ",3,1,,,,"},
        {513, ",3,1,,,,"}, {514, ",3,2,,,,"}, {91, ",2,0,,,,"}, {92, ",2,0,,,,"}, {80, ",4,11,,,,"},
        {65, ",4,10,,,,"}, {598, ",1,0,,,,"}, {599, ",1,6,,,,"}, {20, ",1,1,,,,"}, {21, ",1,2,,,,"},
        {30, ",1,3,,,,"}, {31, ",1,3,,,,"}, {32, ",1,3,,,,"}, {33, ",1,3,,,,"}, {45, ",1,4,,,,"},
        {40, ",1,5,,,,"}, {47, ",1,5,,,,"}, {41, ",1,7,,,,"}, {42, ",1,8,,,,"}, {501, ",1,9,,,,"}};
    // clang-format on
    for (const auto& [type, eventClass] : examples)
        EXPECT_EQ(Class(type), eventClass) << type;
}

TEST_F(EventsData, GoalsAndMissesByRouteAndSpecialEvent) {
    const QMap<QString, QString> route{{"central", "0"}, {"right", "1"},     {"left", "2"},
                                       {"penalty", "3"}, {"free_kick", "4"}, {"indirect_free_kick", "5"}};
    for (const EventType& e : types) {
        const QString head = e.group.section('/', 0, 0), sub = e.group.section('/', 1);
        if (head != "goal" && head != "miss")
            continue;
        SCOPED_TRACE(e.number);
        const QString c = Class(e.number);
        EXPECT_TRUE(c.startsWith(head == "goal" ? ",0,0," : ",0,1,")) << c.toStdString();
        const QStringList f = c.split(','); // "", group, outcome, kind, special event, route, ""
        ASSERT_EQ(f.size(), 7);
        if (route.contains(sub)) {
            EXPECT_EQ(f.mid(3, 3), QStringList({"0", "", route[sub]}));
        } else if (sub == "counter") {
            EXPECT_EQ(f.mid(3, 2), QStringList({"2", ""}));
            EXPECT_TRUE(QStringList({"0", "1", "2", "4", "5"}).contains(f[5])); // the routes with a word
        } else if (sub == "special_event") {
            bool ok = false;
            const int se = f[4].toInt(&ok);
            EXPECT_TRUE(f[3] == "1" && ok && se >= 0 && se <= 11 && f[5].isEmpty()) << c.toStdString();
        } else {
            ASSERT_EQ(sub, "long_shot");
            // With the long-shot tactic a normal chance from afar, else the long-shot special event.
            EXPECT_TRUE(c.mid(5) == "0,,6," || c.mid(5) == "1,9,,") << c.toStdString();
        }
    }
    // Penalty shoot-out kicks never count as goals of the match.
    for (int t : {55, 56, 57, 58, 59})
        EXPECT_FALSE(Class(t).startsWith(",0,")) << t;
}

TEST_F(EventsData, CardsInjuriesTeamEventsAndMatchInformation) {
    for (const EventType& e : types) {
        SCOPED_TRACE(e.number);
        const QString c = Class(e.number);
        // A current match reports an injury with a body-part event (401-422), then details.
        const bool injury = e.group.startsWith("injury/") &&
                            (e.group != "injury/detail" || (e.number >= 401 && e.number <= 422));
        if (e.group == "injury/keeps_playing") {
            EXPECT_EQ(c, ",2,1,,,,");
        } else if (injury) {
            EXPECT_EQ(c, ",2,0,,,,");
        }
        // Only the service's card and injury events are cards and injuries: details and notices about
        // them (also 423-427 after a body part) are counted and sounded once, with the event itself, in
        // current and older matches alike. Every non-chance class has its last three fields empty.
        EXPECT_EQ(c.startsWith(",3,"), e.group.startsWith("card/")) << c.toStdString();
        EXPECT_EQ(c.startsWith(",2,"), injury) << c.toStdString();
        EXPECT_TRUE(!e.group.startsWith("team_event") || c.startsWith(",4,")) << c.toStdString();
        EXPECT_TRUE(!e.group.startsWith("match_info") || e.number == 46 || e.number == 650 ||
                    c.startsWith(",1,"))
            << c.toStdString();
        EXPECT_TRUE(c.startsWith(",0,") || c.endsWith(",,,,")) << c.toStdString();
    }
}

// The installer's copies are the shipped files; the shipped settings start the first run.
TEST(EventsDataFiles, InstallCopiesAreIdenticalAndTheSettingsStartTheFirstRun) {
    for (const char* name :
         {"EventsData.dat", "Favourites.dat", "RecordedList.dat", "Sounds.dat", "ProxyConfig.dat"}) {
        const QByteArray shipped = ReadBytes(QStringLiteral(VELKARO_RESOURCES_DIR "/data/") + name);
        EXPECT_TRUE(shipped.startsWith("TBKStringGrid\r\n1\r\n0\r\n0\r\n")) << name;
        EXPECT_EQ(shipped, ReadBytes(QStringLiteral(VELKARO_RESOURCES_DIR "/_install/data/") + name)) << name;
    }
    IniFile ini(QStringLiteral(VELKARO_RESOURCES_DIR "/Velkaro.ini"));
    ExpectAll({{ini.ReadString("Opciones", "Usuario", "missing"), "0"},
               {ini.ReadString("Version", "Version", "missing"), "0126700"},
               {ini.ReadString("Servidor", "Juego", "missing"), "http://chpp.hattrick.org"},
               {ini.ReadString("Servidor", "Uniformes", "missing"), ""},
               {ini.ReadString("Servidor", "Version", "missing"), ""}});
}

TEST(EventsDataCheck, OnlyTheTableItselfIsSound) {
    const QByteArray shipped = ReadBytes(VELKARO_RESOURCES_DIR "/_install/data/EventsData.dat");
    ASSERT_FALSE(shipped.isEmpty());
    // The shipped file with line i (row 1 starts at line 4 + 8: its code, then its class fields) replaced.
    auto withLine = [&](int i, const QByteArray& line) {
        QList<QByteArray> lines = shipped.split('\n');
        lines[i] = line + '\r';
        return lines.join('\n');
    };
    // A row without an event type is sound; a file cut short, overwritten, emptied, grown, or edited in
    // its header, a code or a class field is not.
    const std::pair<QByteArray, bool> cases[] = {{shipped, true},
                                                 {withLine(12, ""), true},
                                                 {shipped.left(shipped.size() / 2), false},
                                                 {QByteArray(shipped.size(), '\xA7'), false},
                                                 {QByteArray(), false},
                                                 {shipped + "x\r\n", false},
                                                 {withLine(0, "TBKStringGrids"), false},
                                                 {withLine(12, "1x9"), false},
                                                 {withLine(12, "19"), false},
                                                 {withLine(14, "goal"), false}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        WriteBytes(dir.path() + "/data/EventsData.dat", c.first);
        EXPECT_EQ(EventsDataFileIsSound(dir.path() + "/"), c.second) << &c - cases;
    }
}
