#include "core/LeagueTable.h"

#include "core/DataStore.h"
#include "core/LeagueAnswer.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

using namespace LeagueTableColumn;

namespace {

constexpr int RoundSlots = 4; // slots 0..3 hold the league round
constexpr int TeamCount = kLeagueClubCount;
// What a table cell reads back as at most: the sums of the live table stay far from overflowing.
constexpr qint64 TableNumberBound = 1'000'000'000'000'000;

// A sign that AlignNumberText grouped apart from three digits ("- 100") stays with them.
QString KeepSignWithDigits(QString text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i + 1 < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')) &&
        text[i + 1] == QLatin1Char(' '))
        text.remove(i + 1, 1);
    return text;
}

// Moves every cell of row `from` of one table into row `to` of another, blanking the source.
void MoveRow(TBKStringGrid& source, int from, TBKStringGrid& target, int to) {
    for (int c = 0; c < source.ColCount(); ++c) {
        target.SetCells(c, to, source.Cells(c, from));
        source.SetCells(c, from, QString());
    }
}

int RowOfTeam(const TBKStringGrid& table, const QString& name) {
    for (int r = 1; r < table.RowCount(); ++r)
        if (table.Cells(TableTeamName, r) == name)
            return r;
    return -1;
}

// The slot of slots 0..3 where the club plays, home checked before away in each slot.
struct RoundMatch {
    int slot = -1;
    bool home = false;
};
RoundMatch FindRoundMatch(const TBKStringGrid& matches, const QString& name) {
    for (int s = 0; s < RoundSlots; ++s) {
        if (matches.Cells(MatchColumn::HomeName, s) == name)
            return {s, true};
        if (matches.Cells(MatchColumn::AwayName, s) == name)
            return {s, false};
    }
    return {};
}

// One row of the scratch table: the club's numbers as if the current score were final.
void WriteLiveNumbers(const TBKStringGrid& before, int r, const TBKStringGrid& matches, TBKStringGrid& temp) {
    const QString name = before.Cells(TableTeamName, r);
    const RoundMatch match = FindRoundMatch(matches, name);
    qint64 own = 0;
    qint64 other = 0;
    if (match.slot >= 0) {
        const qint64 home = TableNumber(matches.Cells(MatchColumn::HomeGoals, match.slot));
        const qint64 away = TableNumber(matches.Cells(MatchColumn::AwayGoals, match.slot));
        own = match.home ? home : away;
        other = match.home ? away : home;
    }
    const qint64 goalsFor = TableNumber(before.Cells(TableGoalsFor, r)) + own;
    const qint64 goalsAgainst = TableNumber(before.Cells(TableGoalsAgainst, r)) + other;
    const qint64 points = TableNumber(before.Cells(TablePoints, r)) + (own > other    ? 3
                                                                       : own == other ? 1
                                                                                      : 0);
    temp.SetCells(TableTeamName, r, name);
    temp.SetCells(TablePlayed, r, QString::number(TableNumber(before.Cells(TablePlayed, r)) + 1));
    temp.SetCells(TableGoalsFor, r, QString::number(goalsFor));
    temp.SetCells(TableGoalsAgainst, r, QString::number(goalsAgainst));
    temp.SetCells(TableGoalDifference, r, GoalDifferenceKey(goalsFor - goalsAgainst));
    temp.SetCells(TablePoints, r, GoalCountText(QString::number(points)));
}

// Points first, then within each group of equal points the goal difference: each group is taken off
// the top of temp, ordered in temp2 and appended below the teams already placed in the live table.
void OrderIntoLiveTable(TBKStringGrid& temp, TBKStringGrid& temp2, TBKStringGrid& live) {
    for (int pass = 0; pass < TeamCount; ++pass) {
        BlankCells(temp2, 1);
        temp.SortByColumn(TablePoints, false);
        if (temp.Cells(TableTeamName, 1).isEmpty())
            return;
        MoveRow(temp, 1, temp2, 1);
        const QString points = temp2.Cells(TablePoints, 1);
        for (int r = 2; r < temp.RowCount() && temp.Cells(TablePoints, r) == points; ++r)
            MoveRow(temp, r, temp2, r);
        temp2.SortByColumn(TableGoalDifference, false);
        for (int r = 1; r < temp2.RowCount() && !temp2.Cells(TableTeamName, r).isEmpty(); ++r) {
            int target = 1;
            while (target < live.RowCount() && !live.Cells(TableTeamName, target).isEmpty())
                ++target;
            if (target >= live.RowCount())
                return;
            for (int c = 0; c < temp2.ColCount(); ++c)
                live.SetCells(c, target, temp2.Cells(c, r));
        }
    }
}

void FormatLiveRow(TBKStringGrid& live, int r) {
    const qint64 goalsFor = TableNumber(live.Cells(TableGoalsFor, r));
    const qint64 goalsAgainst = TableNumber(live.Cells(TableGoalsAgainst, r));
    live.SetCells(TablePosition, r, QStringLiteral("  ") + QString::number(r) + QLatin1Char('.'));
    live.SetCells(TablePlayed, r, TableCountText(live.Cells(TablePlayed, r)));
    live.SetCells(TableGoalsFor, r, TableGoalsText(QString::number(goalsFor)));
    live.SetCells(TableGoalsAgainst, r, TableGoalsText(QString::number(goalsAgainst)));
    live.SetCells(TableGoalDifference, r, TableGoalDifferenceText(goalsFor - goalsAgainst));
    live.SetCells(TablePoints, r, TableCountText(live.Cells(TablePoints, r)));
}

} // namespace

QString CutLeadingBlanks(const QString& text, int count) {
    qsizetype blanks = 0;
    while (blanks < count && blanks < text.size() && text[blanks] == QLatin1Char(' '))
        ++blanks;
    return text.mid(blanks);
}

QString TableCountText(const QString& number) {
    return CutLeadingBlanks(AlignNumberText(number), 12);
}

QString TableGoalsText(const QString& number) {
    return CutLeadingBlanks(AlignNumberText(number), 13);
}

QString TableGoalDifferenceText(qint64 difference) {
    const QString text = QString::number(difference);
    if (difference <= 0)
        return KeepSignWithDigits(CutLeadingBlanks(AlignNumberText(text), 11));
    return KeepSignWithDigits(CutLeadingBlanks(AlignNumberText(QLatin1Char('+') + text), 12));
}

qint64 TableNumber(const QString& cell) {
    bool ok = false;
    const qint64 n = StripBlanks(cell).toLongLong(&ok);
    return ok ? qBound(-TableNumberBound, n, TableNumberBound) : 0;
}

QString GoalCountText(const QString& number) {
    return PadWithSpaces(number, 3);
}

QString GoalDifferenceKey(qint64 difference) {
    if (difference >= 0)
        return PadWithSpaces(QString::number(difference), 3);
    // "  -" sorts below "  0" and " 12"; the complement makes a larger deficit sort lower.
    const qint64 complement = qMax<qint64>(0, 999 + difference);
    return QStringLiteral("  -") + PadWithZeros(QString::number(complement), 3);
}

void ShapeLeagueTable(TBKStringGrid& table) {
    ShapeTable(table, LeagueTableColumn::Count, LeagueTableColumn::Rows, 1);
}

void FillStandings(const XmlNode& details, TBKStringGrid& table) {
    int r = 0;
    for (const LeagueClub& club : LeagueClubs(details)) {
        ++r;
        table.SetCells(TablePosition, r,
                       QStringLiteral("  ") + QString::number(club.Position) + QLatin1Char('.'));
        table.SetCells(TableTeamName, r, club.TeamName);
        table.SetCells(TablePlayed, r, TableCountText(QString::number(club.Matches)));
        table.SetCells(TableGoalsFor, r, TableGoalsText(QString::number(club.GoalsFor)));
        table.SetCells(TableGoalsAgainst, r, TableGoalsText(QString::number(club.GoalsAgainst)));
        table.SetCells(TablePoints, r, TableCountText(QString::number(club.Points)));
        table.SetCells(TableGoalDifference, r, TableGoalDifferenceText(club.GoalsFor - club.GoalsAgainst));
    }
}

bool IsLeagueRound(const TBKStringGrid& matches) {
    for (int s = 0; s < RoundSlots; ++s)
        if (matches.Cells(MatchColumn::MatchTypeCode, s) != QLatin1String("1") ||
            matches.Cells(MatchColumn::InitialLoadFlag, s) != QLatin1String("1"))
            return false;
    return true;
}

LiveTableResult ComputeLiveTable(const TBKStringGrid& before, const TBKStringGrid& matches,
                                 TBKStringGrid& temp, TBKStringGrid& temp2, TBKStringGrid& live) {
    for (int r = 1; r <= TeamCount; ++r) {
        if (FindRoundMatch(matches, before.Cells(TableTeamName, r)).slot < 0) {
            live.SetCells(TableTeamName, 1, TeamNamesError);
            return LiveTableResult::TeamNamesError;
        }
    }
    if (!IsLeagueRound(matches))
        return LiveTableResult::NotRound;

    BlankCells(live, 1);
    for (TBKStringGrid* scratch : {&temp, &temp2}) {
        BlankCells(*scratch, 0);
        ShapeLeagueTable(*scratch);
    }
    for (int r = 1; r <= TeamCount; ++r)
        if (!before.Cells(TableTeamName, r).isEmpty())
            WriteLiveNumbers(before, r, matches, temp);
    OrderIntoLiveTable(temp, temp2, live);

    for (int r = 1; r <= TeamCount && r < live.RowCount(); ++r) {
        const QString name = live.Cells(TableTeamName, r);
        if (name.isEmpty())
            continue;
        FormatLiveRow(live, r);
        const int was = RowOfTeam(before, name);
        if (was > r)
            live.SetCells(TablePosition, r, live.Cells(TablePosition, r) + MovedUpMark);
        else if (was >= 1 && was < r)
            live.SetCells(TablePosition, r, live.Cells(TablePosition, r) + MovedDownMark);
    }
    return LiveTableResult::Done;
}
