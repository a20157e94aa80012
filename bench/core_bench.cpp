// Benchmarks of the core: the events-data table (load and sort) and the commentary pages of a match.
#include "core/BKStringGrid.h"
#include "core/Commentary.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QString EventsDataFile = QStringLiteral(VELKARO_RESOURCES_DIR "/data/EventsData.dat");

std::unique_ptr<TBKStringGrid> eventsDataGrid() {
    auto grid = std::make_unique<TBKStringGrid>();
    grid->SetColCount(8);
    grid->SetRowCount(601);
    grid->SetFixedRows(1);
    grid->Encryption = false;
    grid->Filename = EventsDataFile;
    return grid;
}

// Loads the table; an empty text when it loaded, else why not.
QString loadEventsData(TBKStringGrid& grid) {
    if (!QFile::exists(EventsDataFile))
        return "missing " + EventsDataFile;
    try {
        grid.LoadFromFile();
    } catch (const Exception& e) {
        return "cannot load " + EventsDataFile + ": " + e.Message;
    }
    return {};
}

void BM_EventsDataLoad(benchmark::State& state) {
    auto grid = eventsDataGrid();
    if (const QString error = loadEventsData(*grid); !error.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        grid->LoadFromFile();
        benchmark::DoNotOptimize(grid->Cells(1, 1));
    }
}
BENCHMARK(BM_EventsDataLoad)->Unit(benchmark::kMicrosecond);

// One sort of the freshly loaded table per operation; restoring the loaded order is not timed.
void BM_EventsDataSort(benchmark::State& state) {
    auto grid = eventsDataGrid();
    if (const QString error = loadEventsData(*grid); !error.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const int column = static_cast<int>(state.range(0));
    QVector<QVector<QString>> loaded(grid->RowCount(), QVector<QString>(grid->ColCount()));
    for (int r = 0; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c)
            loaded[r][c] = grid->Cells(c, r);
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c)
                grid->SetCells(c, r, loaded[r][c]);
        state.ResumeTiming();
        grid->SortByColumn(column, true);
        benchmark::DoNotOptimize(grid->Cells(column, 1));
    }
}
BENCHMARK(BM_EventsDataSort)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

QStringList matchEventTexts() {
    const QDir dir(QStringLiteral(VELKARO_SAMPLES_DIR));
    const QStringList files = dir.entryList({"matchdetails-events.xml"});
    QStringList texts;
    if (files.isEmpty())
        return texts;
    QFile f(dir.filePath(files.first()));
    QDomDocument doc;
    if (!f.open(QIODevice::ReadOnly) || !doc.setContent(&f))
        return texts;
    const QDomNodeList events = doc.elementsByTagName("Event");
    for (int i = 0; i < events.size(); ++i)
        texts << events.at(i).toElement().firstChildElement("EventText").text();
    return texts;
}

// Every event of a real match made into a page, per operation.
void BM_CommentaryToHtmlMatch(benchmark::State& state) {
    const QStringList texts = matchEventTexts();
    if (texts.isEmpty()) {
        state.SkipWithError("no match with events in " VELKARO_SAMPLES_DIR);
        return;
    }
    for (auto _ : state)
        for (const QString& text : texts)
            benchmark::DoNotOptimize(CommentaryToHtml(text));
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_CommentaryToHtmlMatch)->Unit(benchmark::kMicrosecond);

} // namespace
