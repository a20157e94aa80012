#include "core/BKStringGrid.h"
#include "core/Encryp.h"
#include "platform/Cursor.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <algorithm>
#include <atomic>
#include <climits>

namespace {
const QString kGridKey = "kRspwenu";
const char* const kHeader[4] = {"TBKStringGrid", "1", "0", "0"};
constexpr int kUnsetWidth = INT_MIN; // the column follows DefaultColWidth

// Case-insensitive for ASCII letters only (folded to upper case), code unit by code unit otherwise: the
// tie order of every sorted table depends on exactly this order.
int compareText(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a.at(i).unicode();
        char16_t y = b.at(i).unicode();
        if (x >= u'a' && x <= u'z')
            x -= 32;
        if (y >= u'a' && y <= u'z')
            y -= 32;
        if (x != y)
            return int(x) - int(y);
    }
    return int(a.size() - b.size());
}

int compareStr(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x != y)
            return int(x) - int(y);
    }
    return int(a.size() - b.size());
}

// Tables may be made on any thread; a table's own changes are counted without atomic operations.
quint64 NextTableId() {
    static std::atomic<quint64> last{0};
    return ++last;
}
} // namespace

TBKStringGrid::TBKStringGrid(const QString& encryptionKey)
    : EncryptionKey(encryptionKey), scrambler_(std::make_unique<TVeskEncryption>()), tableId_(NextTableId()) {
    cells_.resize(rowCount_);
    for (auto& row : cells_)
        row.resize(colCount_);
    colWidths_.fill(kUnsetWidth, colCount_);
    // The key is given once; later values of EncryptionKey never reach the scrambler.
    scrambler_->SetKey(EncryptionKey.isEmpty() ? kGridKey : EncryptionKey);
}

TBKStringGrid::~TBKStringGrid() = default;

TVeskEncryption& TBKStringGrid::Scrambler() {
    return *scrambler_;
}

// --- shape ---

void TBKStringGrid::SetColCount(int n) {
    n = std::max(1, n);
    if (n == colCount_)
        return;
    colCount_ = n;
    if (fixedCols_ >= n)
        fixedCols_ = n - 1;
    for (auto& row : cells_)
        row.resize(n);
    colWidths_.resize(n, kUnsetWidth);
    Changed();
}

void TBKStringGrid::SetRowCount(int n) {
    n = std::max(1, n);
    if (n == rowCount_)
        return;
    const int before = rowCount_;
    rowCount_ = n;
    if (fixedRows_ >= n)
        fixedRows_ = n - 1;
    // Only the rows added or removed are touched: appending one row to a long table stays cheap.
    cells_.resize(n);
    for (int r = before; r < n; ++r)
        cells_[r].resize(colCount_);
    Changed();
}

void TBKStringGrid::SetFixedCols(int n) {
    fixedCols_ = std::clamp(n, 0, colCount_ - 1);
    Changed();
}

void TBKStringGrid::SetFixedRows(int n) {
    fixedRows_ = std::clamp(n, 0, rowCount_ - 1);
    Changed();
}

QString TBKStringGrid::Cells(int ACol, int ARow) const {
    if (ACol < 0 || ACol >= colCount_ || ARow < 0 || ARow >= rowCount_)
        return QString();
    return cells_[ARow][ACol];
}

void TBKStringGrid::SetCells(int ACol, int ARow, const QString& text) {
    if (ACol < 0 || ACol >= colCount_ || ARow < 0 || ARow >= rowCount_)
        return;
    QString& cell = cells_[ARow][ACol];
    if (cell == text)
        return;
    cell = text;
    Changed();
}

int TBKStringGrid::ColWidth(int ACol) const {
    if (ACol < 0 || ACol >= colCount_ || colWidths_[ACol] == kUnsetWidth)
        return DefaultColWidth;
    return colWidths_[ACol];
}

void TBKStringGrid::SetColWidth(int ACol, int width) {
    if (ACol < 0 || ACol >= colCount_)
        return;
    colWidths_[ACol] = width;
    Changed();
}

void TBKStringGrid::Changed() {
    ++changes_;
    if (OnChanged)
        OnChanged();
}

// --- sorting ---

bool TBKStringGrid::IsBlank(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 32 && c.unicode() != 127)
            return false;
    }
    return true;
}

bool TBKStringGrid::RowIsBlank(int row) const {
    for (int c = SortByFixedCol ? 0 : fixedCols_; c < colCount_; ++c) {
        if (!IsBlank(Cells(c, row)))
            return false;
    }
    return true;
}

int TBKStringGrid::Compare(const QString& a, const QString& b) const {
    return CaseSensitive ? compareStr(a, b) : compareText(a, b);
}

void TBKStringGrid::SwapRows(int A, int B) {
    for (int c = SortByFixedCol ? 0 : fixedCols_; c < colCount_; ++c)
        std::swap(cells_[A][c], cells_[B][c]);
}

void TBKStringGrid::QuickSortRows(int L, int R) {
    int I;
    do {
        I = L;
        int J = R;
        const QString pivot = cells_[(L + R) / 2][sortCol_];
        do {
            while (Compare(cells_[I][sortCol_], pivot) < 0)
                ++I;
            while (Compare(cells_[J][sortCol_], pivot) > 0)
                --J;
            if (I <= J) {
                if (I != J)
                    SwapRows(I, J);
                ++I;
                --J;
            }
        } while (I <= J);
        if (J > L)
            QuickSortRows(L, J);
        L = I;
    } while (I < R);
}

void TBKStringGrid::ReverseRows() {
    int I = fixedRows_;
    int J = rowCount_ - 1;
    while (J > I) {
        SwapRows(I, J);
        ++I;
        --J;
    }
}

void TBKStringGrid::MoveBlanksDown() {
    if (fixedRows_ >= rowCount_ || !RowIsBlank(fixedRows_))
        return;
    int K = fixedRows_;
    while (K < rowCount_ && RowIsBlank(K))
        ++K;
    if (K >= rowCount_)
        return;
    for (int I = 0; K + I < rowCount_; ++I)
        SwapRows(fixedRows_ + I, K + I);
}

void TBKStringGrid::SortByColumn(int ACol, bool Ascending) {
    try {
        if (editorMode_ && AlwaysShowEditor && OnUserChangedCell)
            OnUserChangedCell(this, col_, row_, Cells(col_, row_));
        // A column outside the grid is refused like a fixed one: the sort would read past the cells.
        if (ACol < 0 || ACol >= colCount_ || (ACol < fixedCols_ && !SortByFixedCol))
            throw EWrongCol();
        sortCol_ = ACol;
        BusyCursor busy;
        if (rowCount_ > fixedRows_)
            QuickSortRows(fixedRows_, rowCount_ - 1);
        if (!Ascending)
            ReverseRows();
        else if (BlanksDown)
            MoveBlanksDown();
        if (!Ascending && OnSortedDesc)
            OnSortedDesc(this);
        else if (Ascending && OnSortedAsc)
            OnSortedAsc(this);
    } catch (...) {
        Changed();
        throw;
    }
    Changed();
}

// --- the table file ---

void TBKStringGrid::LoadFromFile() {
    const QStringList lines = TextFile::ReadLines(Filename);
    qsizetype next = 0;
    for (int i = 0; i < 4; ++i) {
        if (next >= lines.size())
            throw EInvalidFile();
        ++next; // the header is not checked
    }
    try {
        for (int r = 0; r < rowCount_; ++r) {
            for (int c = 0; c < colCount_; ++c) {
                if (next >= lines.size())
                    break;
                const QString& line = lines.at(next++);
                cells_[r][c] = Encryption ? DecryptCell(line) : line;
            }
        }
        if (next < lines.size())
            throw ETooSmallGrid();
    } catch (...) {
        Changed();
        throw;
    }
    Changed();
}

void TBKStringGrid::SaveToFile() {
    QByteArray bytes;
    for (const char* line : kHeader) {
        bytes.append(line);
        bytes.append("\r\n");
    }
    for (int r = 0; r < rowCount_; ++r) {
        for (int c = 0; c < colCount_; ++c) {
            QString text = cells_[r][c];
            if (Encryption) {
                text = EncryptCell(text);
            } else {
                // The format has no escaping: a line break would shift every later cell.
                text.replace(u'\r', u' ');
                text.replace(u'\n', u' ');
            }
            bytes.append(text.toUtf8());
            bytes.append("\r\n");
        }
    }
    // Through a temporary file, so a failed save leaves the old table whole.
    TextFile::WriteAtomic(Filename, bytes);
}

QString TBKStringGrid::EncryptCell(const QString& text) {
    scrambler_->Action = atEncryption;
    scrambler_->SetInput(text);
    scrambler_->Execute();
    return scrambler_->Output();
}

QString TBKStringGrid::DecryptCell(const QString& text) {
    scrambler_->Action = atDecryption;
    scrambler_->SetInput(text);
    scrambler_->Execute();
    return scrambler_->Output();
}

// --- edit tracking ---

QString TBKStringGrid::GetEditText(int ACol, int ARow) {
    editStartText_ = Cells(ACol, ARow);
    return editStartText_;
}

bool TBKStringGrid::SelectCell(int /*ACol*/, int /*ARow*/) {
    if (editorMode_) {
        editTracking_ = false;
        const QString text = Cells(col_, row_);
        if (text != editStartText_ && OnUserChangedCell)
            OnUserChangedCell(this, col_, row_, text);
    }
    return true;
}

void TBKStringGrid::SetEditText(int ACol, int ARow, const QString& Value) {
    if (!editorMode_ && editTracking_ && OnUserChangedCell && Value != editStartText_)
        OnUserChangedCell(this, ACol, ARow, Value);
    SetCells(ACol, ARow, Value);
    editTracking_ = true;
}
