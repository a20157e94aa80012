// One live poll's processing: the new events of ten matches with 150 events each stored, queued and
// counted (EventosPartidos + Actualizar10Partidos), beside the time to parse the same live file.
// Runs the real windows offscreen in a temporary program folder; nothing is requested or played.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/XmlDocument.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UOptions.h"
#include "support/TestProgramFolder.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Matches = 10;
constexpr int EventsPerMatch = 150;

// Event keys of a played match (lineups, chances, goals, cards, injuries, team events); no match end,
// so the poll fetches no end-of-match files.
const char* const Keys[] = {"21_2",  "20_0", "111_0", "139_3", "123_2",
                            "510_0", "92_0", "331_0", "40_1",  "151_0"};

QString HomeTeam(int m) {
    return QString::number(300001 + 2 * m);
}
QString AwayTeam(int m) {
    return QString::number(300002 + 2 * m);
}

// A live answer as the service gives it: every match with its whole event list, the texts with
// player links.
QByteArray LiveFile() {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HattrickData><FileName>live.xml</FileName>"
        "<FetchedDate>2024-03-16 20:40:00</FetchedDate><MatchList>");
    for (int m = 0; m < Matches; ++m) {
        xml += QStringLiteral("<Match><MatchID>%1</MatchID><HomeTeam><HomeTeamID>%2</HomeTeamID></HomeTeam>"
                              "<AwayTeam><AwayTeamID>%3</AwayTeamID></AwayTeam>"
                              "<MatchDate>2024-03-16 19:00:00</MatchDate><EventList>")
                   .arg(800000 + m)
                   .arg(HomeTeam(m), AwayTeam(m));
        for (int i = 0; i < EventsPerMatch; ++i) {
            const QString team = i % 2 ? AwayTeam(m) : HomeTeam(m);
            const QString player = QString::number(500000000 + m * 1000 + i % 22);
            const QString text =
                QStringLiteral("<a href=\"/Club/Players/Player.aspx?playerId=%1\">Player %2</a> "
                               "of <a href=\"/Club/?TeamID=%3\">Team</a> at work.")
                    .arg(player)
                    .arg(i % 22)
                    .arg(team);
            xml +=
                QStringLiteral("<Event Index=\"%1\"><Minute>%2</Minute><SubjectPlayerID>%3</SubjectPlayerID>"
                               "<SubjectTeamID>%4</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID>"
                               "<EventKey>%5</EventKey><EventText>%6</EventText></Event>")
                    .arg(i)
                    .arg(i * 90 / EventsPerMatch)
                    .arg(player, team, QLatin1String(Keys[i % std::size(Keys)]), text.toHtmlEscaped());
        }
        xml += QStringLiteral("</EventList></Match>");
    }
    xml += QStringLiteral("</MatchList></HattrickData>");
    return xml.toUtf8();
}

// The program's windows in a temporary program folder, the live file saved in its cache.
struct Program {
    TestProgramFolder folder;
    Program() {
        folder.OpenSettings();
        Dialogs::SetSleepHook([](int) {});
        Dialogs::SetBoxHook([](const Dialogs::Box&) { return Dialogs::Button::Ok; });
        FOptions = new TFOptions();
        FPartidos = new TFPartidos();
        DataModule1 = new TDataModule1();
        FOptions->CheckBoxSonidos->setChecked(false);
        QFile f(AppDir + QStringLiteral("data/Xml/live.xml"));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(LiveFile());
        TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
        for (int m = 0; m < Matches; ++m) {
            t.SetCells(MatchColumn::MatchId, m, QString::number(800000 + m));
            t.SetCells(MatchColumn::HomeTeamId, m, HomeTeam(m));
            t.SetCells(MatchColumn::AwayTeamId, m, AwayTeam(m));
            t.SetCells(MatchColumn::MatchStart, m, QStringLiteral("2024-03-16 19:00:00"));
            t.SetCells(MatchColumn::FinishedFlag, m, QStringLiteral("0")); // details read already
        }
    }
    ~Program() {
        delete DataModule1;
        delete FPartidos;
        delete FOptions;
        DataModule1 = nullptr;
        FPartidos = nullptr;
        FOptions = nullptr;
        Dialogs::SetSleepHook({});
        Dialogs::SetBoxHook({});
    }
    // Back to the state before the first poll: no stored event, nothing queued.
    void Reset() {
        for (int m = 0; m < Matches; ++m)
            FOptions->BKStringGridEventos(m).SetRowCount(1), ClearRow(FOptions->BKStringGridEventos(m));
        FOptions->BKStringGridEventosPanel().SetRowCount(1);
        ClearRow(FOptions->BKStringGridEventosPanel());
    }
    static void ClearRow(TBKStringGrid& t) {
        for (int c = 0; c < t.ColCount(); ++c)
            t.SetCells(c, 0, QString());
    }
};

void BM_PollProcessing(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        state.PauseTiming();
        program.Reset();
        state.ResumeTiming();
        FPartidos->EventosPartidos();
        FPartidos->Actualizar10Partidos(QString());
    }
    const int stored = FOptions->BKStringGridEventos(0).RowCount() - 1;
    if (stored < EventsPerMatch)
        state.SkipWithError("the events were not stored");
    state.counters["events"] = Matches * EventsPerMatch;
}
BENCHMARK(BM_PollProcessing)->Unit(benchmark::kMillisecond);

void BM_ParseLiveFile(benchmark::State& state) {
    Program program;
    const QString file = AppDir + QStringLiteral("data/Xml/live.xml");
    XmlDocument doc;
    for (auto _ : state) {
        doc.SetActive(false);
        doc.LoadFromFile(file);
        benchmark::DoNotOptimize(doc.DocumentElement().Child(QStringLiteral("MatchList")).ChildCount());
    }
    doc.SetActive(false);
}
BENCHMARK(BM_ParseLiveFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
