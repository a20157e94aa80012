// One live poll of ten matches as the program runs it once the live file is downloaded: the new events
// (EventosPartidos), the periodic update of the ten rows (Actualizar10Partidos), the rebuild of the
// shown match view (TabControlPartidosChange), and then what the event loop does with it before the
// next tick (the views' refreshes, layout and the paints of the shown window), on the real windows
// shown offscreen in a temporary program folder. Nothing is requested or played.
//
// For 50, 150, 300 and 600 events per match:
//   BM_Parse/N       the bare parse of the same live file (XmlDocument::LoadFromFile), alone;
//   BM_FullPoll/N    a poll whose every event is new (the first poll after the matches were added);
//   BM_SteadyPoll/N  a poll with 5 new events per match (the file holds N, the tables N - 5 before it).
// Each poll benchmark also parses the same file before every poll (untimed by the benchmark, timed on
// its own) and reports ratio_to_parse = poll time / parse time, both measured in the same run.
#include "bench/MatchesWindow.h"
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
#include <QTabBar>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr int Matches = 10;
constexpr int NewPerSteadyPoll = 5;

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
QByteArray LiveFile(int eventsPerMatch) {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HattrickData><FileName>live.xml</FileName>"
        "<FetchedDate>2024-03-16 20:40:00</FetchedDate><MatchList>");
    for (int m = 0; m < Matches; ++m) {
        xml += QStringLiteral("<Match><MatchID>%1</MatchID><HomeTeam><HomeTeamID>%2</HomeTeamID></HomeTeam>"
                              "<AwayTeam><AwayTeamID>%3</AwayTeamID></AwayTeam>"
                              "<MatchDate>2024-03-16 19:00:00</MatchDate><EventList>")
                   .arg(800000 + m)
                   .arg(HomeTeam(m), AwayTeam(m));
        for (int i = 0; i < eventsPerMatch; ++i) {
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
                    .arg(i * 90 / eventsPerMatch)
                    .arg(player, team, QLatin1String(Keys[i % std::size(Keys)]), text.toHtmlEscaped());
        }
        xml += QStringLiteral("</EventList></Match>");
    }
    xml += QStringLiteral("</MatchList></HattrickData>");
    return xml.toUtf8();
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads, decodes and parses the live file, and frees the document again.
void ParseLiveFile(const QString& path) {
    XmlDocument doc;
    doc.LoadFromFile(path);
    benchmark::DoNotOptimize(doc.DocumentElement().Child(QStringLiteral("MatchList")).ChildCount());
}

// The program's windows, shown, in a temporary program folder with a live file of `eventsPerMatch`
// events per match in its cache.
class Program {
public:
    explicit Program(int eventsPerMatch) : events_(eventsPerMatch) {
        folder_.OpenSettings();
        Dialogs::SetSleepHook([](int) {});
        Dialogs::SetBoxHook([](const Dialogs::Box&) { return Dialogs::Button::Ok; });
        FOptions = new TFOptions();
        FPartidos = new TFPartidos();
        DataModule1 = new TDataModule1();
        FOptions->CheckBoxSonidos->setChecked(false);
        QFile f(LiveFilePath());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(LiveFile(eventsPerMatch));
        TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
        for (int m = 0; m < Matches; ++m) {
            t.SetCells(MatchColumn::MatchId, m, QString::number(800000 + m));
            t.SetCells(MatchColumn::HomeTeamId, m, HomeTeam(m));
            t.SetCells(MatchColumn::AwayTeamId, m, AwayTeam(m));
            t.SetCells(MatchColumn::HomeName, m, QStringLiteral("Home %1").arg(m));
            t.SetCells(MatchColumn::AwayName, m, QStringLiteral("Away %1").arg(m));
            t.SetCells(MatchColumn::MatchStart, m, QStringLiteral("2024-03-16 19:00:00"));
            t.SetCells(MatchColumn::FinishedFlag, m, QStringLiteral("0")); // details read already
        }
        ShowMatchesWindow();
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
    int Events() const { return events_; }
    QString LiveFilePath() const { return AppDir + QStringLiteral("data/Xml/live.xml"); }

    // Every slot holding the first `stored` events of the file, as a poll stored them, and shown;
    // nothing queued.
    void StoreFirst(int stored) {
        if (stored > 0 && snapshotEvents_ != stored) {
            Empty();
            Poll(); // the file's events, then cut back below
            snapshotEvents_ = stored;
        }
        for (int m = 0; m < Matches; ++m) {
            TBKStringGrid& t = FOptions->BKStringGridEventos(m);
            if (stored == 0) {
                t.SetRowCount(1);
                ClearRow(t, 0);
                continue;
            }
            t.SetRowCount(stored + 1);
            ClearRow(t, stored);
        }
        TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
        panel.SetRowCount(1);
        ClearRow(panel, 0);
        // The match view shows what the tables hold, as after the poll that stored them.
        FPartidos->PrevTab = FPartidos->TabControlPartidos->currentIndex();
        FPartidos->TabControlPartidosChange();
        QApplication::processEvents();
    }
    void Empty() { StoreFirst(0); }

    // What the clock runs after the live file arrived, and the event loop after it: every event the
    // poll posted (the views' refreshes, layouts, the window's paints) is processed.
    static void Poll() {
        FPartidos->EventosPartidos();
        FPartidos->Actualizar10Partidos(QString());
        FPartidos->PrevTab = FPartidos->TabControlPartidos->currentIndex();
        FPartidos->TabControlPartidosChange();
        QApplication::processEvents();
    }

    // The parse as BM_Parse times it: read, decode, build the document and free it again, as every
    // poll frees the document of the answer before.
    double ParseSeconds() const {
        const auto start = std::chrono::steady_clock::now();
        ParseLiveFile(LiveFilePath());
        return SecondsSince(start);
    }

private:
    static void ClearRow(TBKStringGrid& t, int row) {
        for (int c = 0; c < t.ColCount(); ++c)
            t.SetCells(c, row, QString());
    }
    TestProgramFolder folder_;
    int events_;
    int snapshotEvents_ = -1;
};

// One program per event count, kept while the benchmarks of that count run; main ends the last one
// while the application object still lives.
std::unique_ptr<Program> CurrentProgram;

Program& ProgramWith(int eventsPerMatch) {
    if (!CurrentProgram || CurrentProgram->Events() != eventsPerMatch) {
        CurrentProgram.reset();
        CurrentProgram = std::make_unique<Program>(eventsPerMatch);
    }
    return *CurrentProgram;
}

// A poll per iteration, each after the tables were brought back to `stored` events per match.
void RunPolls(benchmark::State& state, int stored) {
    Program& program = ProgramWith(int(state.range(0)));
    double pollSeconds = 0, parseSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        program.StoreFirst(stored);
        parseSeconds += program.ParseSeconds();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        Program::Poll();
        pollSeconds += SecondsSince(start);
    }
    const int held = FOptions->BKStringGridEventos(0).RowCount() - 1;
    if (held < program.Events())
        state.SkipWithError("the poll did not store the file's events");
    const double n = double(state.iterations());
    state.counters["ratio_to_parse"] = pollSeconds / parseSeconds;
    state.counters["parse_ms"] = parseSeconds / n * 1e3;
    state.counters["new_events"] = double(Matches * (program.Events() - stored));
}

void BM_FullPoll(benchmark::State& state) {
    RunPolls(state, 0);
}

void BM_SteadyPoll(benchmark::State& state) {
    RunPolls(state, int(state.range(0)) - NewPerSteadyPoll);
}

void BM_Parse(benchmark::State& state) {
    Program& program = ProgramWith(int(state.range(0)));
    for (auto _ : state)
        ParseLiveFile(program.LiveFilePath());
    state.counters["file_kb"] = double(QFile(program.LiveFilePath()).size()) / 1024;
}

// Grouped by event count, so that one program serves the three benchmarks of a count. The polls run for
// at least 2 s each, so that even the slowest gets a few iterations.
void Register() {
    for (int events : {50, 150, 300, 600}) {
        benchmark::RegisterBenchmark("BM_Parse", BM_Parse)->Arg(events)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FullPoll", BM_FullPoll)
            ->Arg(events)
            ->MinTime(2)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_SteadyPoll", BM_SteadyPoll)
            ->Arg(events)
            ->MinTime(2)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CurrentProgram.reset();
    return 0;
}
