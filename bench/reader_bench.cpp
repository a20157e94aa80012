// The readers of the service's answers at 1x, 100x and 10,000x a real answer's size, each against the
// bare parse of the same bytes:
//   BM_Players/N      a club's players answer of N players, read by AppendScorers (N = 20, 2000, 100000)
//   BM_Matches/N      a club's matches answer of N matches, read by FirstUnfinishedMatch as the
//                     "My league" connect reads each club's matches (all finished but the last one)
//   BM_VersionPage/N  the maker's page of N bytes (10 KB, 1 MB, the answer size limit), the version at
//                     its end, read by VersionPageBody and CompararVersion
// The read side does what the program does with the bytes: the answer's text, its parse and the
// reader (the page: its decoding and the reader). The parse side parses the same bytes alone. Each is
// run in turn within every iteration; ratio_to_parse = read time / parse time. parse_peak_mb and
// read_peak_mb are each side's peak resident memory above what the process held before it.
#include "core/DataStore.h"
#include "core/LeagueGoals.h"
#include "core/LeagueRound.h"
#include "core/UConectar.h"
#include "core/VersionCheck.h"
#include "platform/HttpClient.h"
#include "platform/TextFile.h"
#include "platform/XmlDocument.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <malloc.h>

namespace {

QByteArray Answer(const char* file, const QString& body) {
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HattrickData><FileName>%1</FileName>"
                           "<Version>2.0</Version><UserID>1001</UserID>"
                           "<FetchedDate>2024-03-16 18:55:04</FetchedDate>")
                .arg(QLatin1String(file)) +
            body + QStringLiteral("</HattrickData>"))
        .toUtf8();
}

// As the game sends them: a player of every fourth has scored in the league.
QByteArray PlayersAnswer(int players) {
    QString list;
    for (int i = 0; i < players; ++i)
        list += QStringLiteral("\n<Player><PlayerID>%1</PlayerID><PlayerName>Player %2</PlayerName>"
                               "<LeagueGoals>%3</LeagueGoals><Cards>0</Cards><InjuryLevel>-1</InjuryLevel>"
                               "</Player>")
                    .arg(401220000 + i)
                    .arg(i)
                    .arg(i % 4 == 0 ? i % 7 + 1 : 0);
    return Answer("players.xml",
                  QStringLiteral("<Team><TeamID>250101</TeamID><TeamName>Velkaro Demo FC</TeamName>"
                                 "<PlayerList>%1</PlayerList></Team>")
                      .arg(list));
}

QByteArray MatchesAnswer(int matches) {
    QString list;
    for (int i = 0; i < matches; ++i)
        list += QStringLiteral("\n<Match><MatchID>%1</MatchID><HomeTeam><HomeTeamID>250108</HomeTeamID>"
                               "<HomeTeamName>Granton Albion</HomeTeamName></HomeTeam><AwayTeam>"
                               "<AwayTeamID>250101</AwayTeamID><AwayTeamName>Velkaro Demo FC</AwayTeamName>"
                               "</AwayTeam><MatchDate>2024-02-10 19:00:00</MatchDate><MatchType>1</MatchType>"
                               "<HomeGoals>1</HomeGoals><AwayGoals>1</AwayGoals><Status>%2</Status></Match>")
                    .arg(712000001 + i)
                    .arg(i + 1 < matches ? QLatin1String("FINISHED") : QLatin1String("UPCOMING"));
    return Answer("matches.xml",
                  QStringLiteral("<Team><TeamID>250101</TeamID><MatchList>%1</MatchList></Team>").arg(list));
}

// A page of paragraphs (well-formed, so that the parse side can read it too) with the version last.
QByteArray VersionPage(qint64 bytes) {
    QByteArray page = "<html><head><title>Velkaro</title></head><body>";
    const QByteArray tail = "<p>Version=0126800</p></body></html>";
    const QByteArray paragraph = "<p>Velkaro follows the matches of your league &amp; replays them.</p>\n";
    while (page.size() + paragraph.size() + tail.size() <= bytes)
        page += paragraph;
    return page + tail;
}

void Parse(const QByteArray& bytes) {
    XmlDocument doc;
    doc.SetXML(AnswerText(bytes));
    doc.SetActive(true);
    benchmark::DoNotOptimize(doc.DocumentElement().IsNull());
}

// A read of the answer through the reader, given its parsed root.
void ParseAndRead(const QByteArray& bytes, const std::function<void(const XmlNode&)>& read) {
    XmlDocument doc;
    doc.SetXML(AnswerText(bytes));
    doc.SetActive(true);
    read(doc.DocumentElement());
}

long StatusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

struct Measured {
    double seconds;
    double peakMb;
};

// One run of `work`, timed, with its peak resident memory above the memory held before it (the peak
// is reset first: /proc/self/clear_refs).
Measured Measure(const std::function<void()>& work) {
    malloc_trim(0);
    if (QFile reset(QStringLiteral("/proc/self/clear_refs")); reset.open(QIODevice::WriteOnly))
        reset.write("5");
    const long before = StatusKb("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), double(StatusKb("VmHWM:") - before) / 1024};
}

void Compare(benchmark::State& state, const QByteArray& bytes, const std::function<void()>& parse,
             const std::function<void()>& read) {
    double parseSeconds = 0, readSeconds = 0, parsePeak = 0, readPeak = 0;
    for (auto _ : state) {
        const Measured p = Measure(parse);
        const Measured r = Measure(read);
        state.SetIterationTime(r.seconds);
        parseSeconds += p.seconds;
        readSeconds += r.seconds;
        parsePeak = std::max(parsePeak, p.peakMb);
        readPeak = std::max(readPeak, r.peakMb);
    }
    const double n = double(state.iterations());
    state.counters["ratio_to_parse"] = readSeconds / parseSeconds;
    state.counters["parse_ms"] = parseSeconds / n * 1e3;
    state.counters["read_ms"] = readSeconds / n * 1e3;
    state.counters["parse_peak_mb"] = parsePeak;
    state.counters["read_peak_mb"] = readPeak;
    state.counters["answer_kb"] = double(bytes.size()) / 1024;
}

void BM_Players(benchmark::State& state) {
    const QByteArray bytes = PlayersAnswer(int(state.range(0)));
    Compare(
        state, bytes, [&] { Parse(bytes); },
        [&] {
            ParseAndRead(bytes, [](const XmlNode& root) {
                TBKStringGrid scorers;
                ShapeTable(scorers, GoalListColumn::ScorerCount, 2, 1);
                AppendScorers(root, scorers);
                benchmark::DoNotOptimize(scorers.RowCount());
            });
        });
}

void BM_Matches(benchmark::State& state) {
    const QByteArray bytes = MatchesAnswer(int(state.range(0)));
    Compare(
        state, bytes, [&] { Parse(bytes); },
        [&] {
            ParseAndRead(bytes, [](const XmlNode& root) {
                benchmark::DoNotOptimize(FirstUnfinishedMatch(root).has_value());
            });
        });
}

void BM_VersionPage(benchmark::State& state) {
    const QByteArray bytes = VersionPage(state.range(0));
    Compare(
        state, bytes, [&] { Parse(bytes); },
        [&] {
            const QString body = VersionPageBody(TextFile::Decode(bytes));
            benchmark::DoNotOptimize(CompararVersion(body, QStringLiteral("0126700")));
        });
}

} // namespace

BENCHMARK(BM_Players)->Arg(20)->Arg(2000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Matches)->Arg(20)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VersionPage)
    ->Arg(10 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(HttpClient::DefaultMaxAnswerBytes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
