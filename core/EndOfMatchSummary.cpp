#include "core/EndOfMatchSummary.h"

#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/Settings.h"

namespace {

// Label number prefixes of each side: total, normal, special event, counter-attack.
struct SidePrefixes {
    const char* total;
    const char* normal;
    const char* special;
    const char* counter;
};
constexpr SidePrefixes Home{"10", "1", "2", "5"};
constexpr SidePrefixes Away{"30", "3", "4", "6"};

// The label number of value v of a kind: the kind's prefix followed by v + 1 ("1" and route 3: "14").
QString Detail(const char* prefix, int v) {
    return QLatin1String(prefix) + QString::number(v + 1);
}

void Count(QHash<QString, QString>& counters, const QString& name, bool goal) {
    QString text = AddToCounter(counters.value(name), 1);
    if (goal)
        text = AddToBracketCounter(text, 1);
    counters.insert(name, text);
}

// The digit at position `at` (0-based) of a class string when it is one of `allowed`, else -1.
int DigitAt(const QString& eventClass, int at, const char* allowed) {
    if (at >= eventClass.size())
        return -1;
    const QChar c = eventClass.at(at);
    return QLatin1String(allowed).contains(c) ? c.digitValue() : -1;
}

} // namespace

QStringList ChanceCounterNames() {
    QStringList names;
    for (const SidePrefixes& side : {Home, Away}) {
        names << QLatin1String(side.total) << QLatin1String(side.normal);
        for (int route = 0; route <= 6; ++route)
            names << Detail(side.normal, route);
        names << QLatin1String(side.special);
        for (int type : {2, 4, 5, 6, 7, 8, 9, 10, 11})
            names << Detail(side.special, type);
        names << QLatin1String(side.counter);
        for (int route : {0, 1, 2, 4})
            names << Detail(side.counter, route);
    }
    return names;
}

QHash<QString, QString> CountChances(const TBKStringGrid& Events, const QString& HomeTeamId) {
    QHash<QString, QString> counters;
    counters.insert(QLatin1String(Home.total), QStringLiteral("0 (0)"));
    counters.insert(QLatin1String(Away.total), QStringLiteral("0 (0)"));
    for (int r = 0; r < Events.RowCount() && !Events.Cells(EventColumn::EventNumber, r).isEmpty(); ++r) {
        // ",EventGroup,EventOutcome,ChanceKind,SpecialEventType,AttackRoute,"
        const QString c = Events.Cells(EventColumn::EventClass, r);
        const SidePrefixes& side = Events.Cells(EventColumn::SubjectTeamId, r) == HomeTeamId ? Home : Away;
        const bool goal = c.left(5) == QLatin1String(",0,0,");
        const bool missed = c.left(5) == QLatin1String(",0,1,");
        if (goal || missed)
            Count(counters, QLatin1String(side.total), goal);
        if (c.left(3) != QLatin1String(",0,"))
            continue;
        const QString kind = c.mid(4, 3);
        if (kind == QLatin1String(",0,")) {
            Count(counters, QLatin1String(side.normal), goal);
            const int route = DigitAt(c, 8, "0123456");
            if (route >= 0)
                Count(counters, Detail(side.normal, route), goal);
        } else if (kind == QLatin1String(",1,")) {
            Count(counters, QLatin1String(side.special), goal);
            int type = DigitAt(c, 7, "2456789");
            if (type < 0 && (c.mid(7, 2) == QLatin1String("10") || c.mid(7, 2) == QLatin1String("11")))
                type = c.mid(7, 2).toInt();
            if (type >= 0)
                Count(counters, Detail(side.special, type), goal);
        } else if (kind == QLatin1String(",2,")) {
            Count(counters, QLatin1String(side.counter), goal);
            const int route = DigitAt(c, 8, "0124");
            if (route >= 0)
                Count(counters, Detail(side.counter, route), goal);
        }
    }
    return counters;
}

void FillFinalRows(TBKStringGrid& Detalles, const QString& MatchTypeCaption, const QString& HomeFormation,
                   const QString& AwayFormation, const TBKStringGrid& Events) {
    const int typeRow = 3, formationRow = 6, venueRow = 9;
    Detalles.SetCells(0, typeRow, MatchTypeCaption);
    const qsizetype bracket = MatchTypeCaption.indexOf(QLatin1Char('('));
    if (bracket >= 0) {
        Detalles.SetCells(1, typeRow, QLatin1Char(' ') + MatchTypeCaption.mid(bracket));
        Detalles.SetCells(0, typeRow, MatchTypeCaption.left(bracket));
    }
    Detalles.SetCells(2, formationRow, HomeFormation);
    Detalles.SetCells(7, formationRow, AwayFormation);

    // The type is the number before "_": a type such as 125 is not a derby.
    const struct {
        const char* prefix;
        const char* key;
        const char* english;
    } venues[] = {{"25_", "RegionalDerby", "Regional derby"},
                  {"26_", "NeutralGround", "Neutral ground"},
                  {"27_", "AwayIsHome", "Away is actually home"}};
    for (int r = 0; r < Events.RowCount(); ++r) {
        const QString key = Events.Cells(EventColumn::EventTypeKey, r);
        for (const auto& v : venues) {
            if (key.startsWith(QLatin1String(v.prefix))) {
                Detalles.SetCells(
                    1, venueRow,
                    LangText(QStringLiteral("Events"), QLatin1String(v.key), QLatin1String(v.english)));
                return;
            }
        }
    }
}
