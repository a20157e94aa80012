// The table file reader on any file: a plain table (VELKARO_FUZZ_SCRAMBLED 0) or a scrambled one (1).
// The grid's size comes from the last bytes of the input, or from the file's line count as the
// start-up load sizes the favourites and the recorded list. A file that loads is saved and loaded
// again: every cell must come back as it was.
#include "core/BKStringGrid.h"
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool load(TBKStringGrid& grid) {
    try {
        grid.LoadFromFile();
        return true;
    } catch (const Exception&) { // EInvalidFile, ETooSmallGrid, EConvertError: the caller's failure path
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int cols = input.ConsumeIntegralInRange(1, 12);
    int rows = input.ConsumeIntegralInRange(1, 700);
    const bool sizeFromFile = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString file = fuzz::ScratchFile("table.dat");
    fuzz::WriteFile(file, QByteArray::fromStdString(bytes));

    TBKStringGrid grid;
    grid.Encryption = VELKARO_FUZZ_SCRAMBLED;
    grid.Filename = file;
    grid.SetColCount(cols);
    if (sizeFromFile)
        rows = int(std::min<qsizetype>(700, (TextFile::ReadLines(file).size() - 4) / cols));
    grid.SetRowCount(rows);
    if (!load(grid))
        return 0;

    grid.SaveToFile();
    TBKStringGrid again;
    again.Encryption = grid.Encryption;
    again.Filename = file;
    again.SetColCount(grid.ColCount());
    again.SetRowCount(grid.RowCount());
    FUZZ_CHECK(load(again));
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            FUZZ_CHECK(again.Cells(c, r) == grid.Cells(c, r));
    return 0;
}
