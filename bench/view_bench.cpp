// The match view's full rebuild (TabControlPartidosChange) of a slot with 150 events, beside loading
// the very page the rebuild puts into the commentary browser into a browser alone. Both browsers are
// shown (offscreen) at the same size and both pages are laid out, as a shown browser lays out a page
// before it paints it; the rebuild also fills the header, the event list, the logos and the side panels.
// view_bench reports rebuild_to_load = rebuild time / load time, both measured in the same run.
// Also hostile pages: 300 KB without a blank, and 20000 pictures (which the page does not show).
#include "bench/MatchesWindow.h"
#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/UDataModule1.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "support/TestProgramFolder.h"
#include "viewer/HtmlDisplay.h"
#include "viewer/UPartidos.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTabBar>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

constexpr int EventCount = 150;

// Keys whose classes cover goals, chances, cards and team events, as in a long match.
const char* const Keys[] = {"100_1", "140_2", "200_1", "510_1", "351_1", "235_1", "20_1", "300_1"};

void FillSlot() {
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::MatchId, 0, "712000021");
    m.SetCells(MatchColumn::HomeTeamId, 0, "250101");
    m.SetCells(MatchColumn::AwayTeamId, 0, "250103");
    m.SetCells(MatchColumn::HomeName, 0, "Velkaro Demo FC");
    m.SetCells(MatchColumn::AwayName, 0, "Opponents");
    m.SetCells(MatchColumn::HomeGoals, 0, "3");
    m.SetCells(MatchColumn::AwayGoals, 0, "2");
    m.SetCells(MatchColumn::HomeDress, 0, "B030405");
    m.SetCells(MatchColumn::AwayDress, 0, "C040101");
    TBKStringGrid& t = FOptions->BKStringGridEventos(0);
    t.SetRowCount(EventCount + 1);
    for (int i = 0; i < EventCount; ++i) {
        const QString player = QString::number(401220000 + i % 22);
        t.SetCells(EventColumn::EventNumber, i, QString::number(i + 1));
        t.SetCells(EventColumn::EventMinute, i, QString::number(i * 90 / EventCount));
        t.SetCells(EventColumn::SubjectPlayerId, i, player);
        t.SetCells(EventColumn::SubjectTeamId, i, i % 2 ? "250103" : "250101");
        t.SetCells(EventColumn::ObjectPlayerId, i, "0");
        t.SetCells(EventColumn::EventTypeKey, i, QLatin1String(Keys[i % 8]));
        t.SetCells(EventColumn::EventHtml, i,
                   QStringLiteral(
                       "<font color=#5577FF \"playerID=%1\">Player %2</font> takes the ball past two "
                       "defenders and shoots: 1 - 0 after %3 minutes, 55 per cent possession.<br /><br />")
                       .arg(player)
                       .arg(i % 22)
                       .arg(i));
    }
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The rebuild a change of tab runs: coming from another tab, the view is cleared and filled whole (a
// poll's refresh of the tab shown keeps what did not change, and would time next to nothing here).
void Rebuild() {
    FPartidos->PrevTab = -1;
    FPartidos->TabControlPartidosChange();
}

// A page loaded into a browser and laid out at the browser's width.
void LoadAndLayOut(WebBrowser& browser, const QString& page) {
    WBLoadHTML(&browser, page);
    benchmark::DoNotOptimize(browser.document()->documentLayout()->documentSize());
}

// The page the rebuild loads into the commentary browser, and a shown browser of that browser's size.
struct LoneBrowser {
    QString page;
    WebBrowser browser;
    LoneBrowser() {
        Rebuild();
        QApplication::processEvents(); // the match panel laid out, the browser at its real size
        page = FPartidos->WebBrowserEventos->Html();
        browser.resize(FPartidos->WebBrowserEventos->size());
        browser.show();
        QApplication::processEvents();
    }
};

void BM_FullViewRebuild(benchmark::State& state) {
    LoneBrowser lone;
    double rebuildSeconds = 0, loadSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Rebuild();
        rebuildSeconds += SecondsSince(start);
        state.PauseTiming();
        const auto loadStart = std::chrono::steady_clock::now();
        LoadAndLayOut(lone.browser, lone.page);
        loadSeconds += SecondsSince(loadStart);
        state.ResumeTiming();
    }
    state.counters["rebuild_to_load"] = rebuildSeconds / loadSeconds;
    state.counters["list_rows"] = FPartidos->BKStringGridListaEventos.RowCount();
}
BENCHMARK(BM_FullViewRebuild)->Unit(benchmark::kMillisecond);

void BM_CommentaryPageLoadShown(benchmark::State& state) {
    LoneBrowser lone;
    for (auto _ : state)
        LoadAndLayOut(lone.browser, lone.page);
    state.counters["page_chars"] = double(lone.page.size());
    state.counters["width"] = lone.browser.width();
    state.counters["height"] = lone.browser.height();
    state.counters["rebuilt_browser_shown"] = FPartidos->WebBrowserEventos->isVisible();
}
BENCHMARK(BM_CommentaryPageLoadShown)->Unit(benchmark::kMillisecond);

// A commentary text of 300 KB without a blank, loaded and laid out (a hostile event text).
void BM_UnbrokenTextLoadAndLayout(benchmark::State& state) {
    QString word;
    for (int i = 0; i < 300 * 1024; ++i)
        word += QChar(u'a' + i % 26);
    const QString page = CommentaryToHtml(word);
    WebBrowser browser;
    browser.resize(700, 300);
    for (auto _ : state) {
        WBLoadHTML(&browser, page);
        browser.ScrollBy(0, 1000); // lays the whole page out
    }
    state.counters["page_chars"] = page.size();
}
BENCHMARK(BM_UnbrokenTextLoadAndLayout)->Unit(benchmark::kMillisecond);

// A commentary text naming 20000 pictures (which the page does not show).
void BM_ManyPicturesPage(benchmark::State& state) {
    const QString page =
        CommentaryToHtml(QStringLiteral("<img src=\"x\" width=100 height=100>a").repeated(20000));
    WebBrowser browser;
    browser.resize(700, 300);
    for (auto _ : state) {
        WBLoadHTML(&browser, page);
        browser.ScrollBy(0, 1000);
    }
    state.counters["page_chars"] = page.size();
}
BENCHMARK(BM_ManyPicturesPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestProgramFolder folder;
    folder.OpenSettings();
    FOptions = new TFOptions();
    FPartidos = new TFPartidos();
    DataModule1 = new TDataModule1();
    FillSlot();
    ShowMatchesWindow();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete DataModule1;
    delete FPartidos;
    delete FOptions;
    return 0;
}
