#pragma once
// The chances summary of a finished match and the last rows of its ratings grid, computed without a
// window from the slot's event table.
#include "core/BKStringGrid.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The 48 counters of the summary, named by the number after "LabelR" of the label that shows each:
// per side (home first digit 1..2 and 5, away 3..4 and 6) a total ("10" / "30"), the normal chances
// ("1" / "3") with their attack routes 0..6 ("11".."17" / "31".."37"), the special-event chances
// ("2" / "4") with their types 2, 4..11 ("23", "25".."212" / "43", "45".."412") and the counter-attacks
// ("5" / "6") with their routes 0, 1, 2, 4 ("51", "52", "53", "55" / "61", "62", "63", "65").
QStringList ChanceCounterNames();

// The counters of an event table, each "n (m)": n chances, m of them goals. The two totals always
// have a value ("0 (0)" without chances); a counter nothing was counted in has none. An event counts
// for the home side when its team is HomeTeamId.
QHash<QString, QString> CountChances(const TBKStringGrid& Events, const QString& HomeTeamId);

// The last rows of the ratings grid: the match type (its bracketed part split off into column 1),
// both formations, and whether the match was a regional derby, on neutral ground or with the away
// team actually at home (the first such event of the table decides; without one the row stays).
void FillFinalRows(TBKStringGrid& Detalles, const QString& MatchTypeCaption, const QString& HomeFormation,
                   const QString& AwayFormation, const TBKStringGrid& Events);
