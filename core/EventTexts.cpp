#include "core/EventTexts.h"

#include "core/Settings.h"

#include <QHash>
#include <QStringList>

namespace {

// One item of a description: a word read from section "Events", or a text that stands for itself
// (the joiners ". ", ": ", " +", " -" and the one fixed word).
struct Piece {
    bool isWord;
    QString text;
};
using Description = QVector<Piece>;

Piece W(const QString& key) {
    return {true, key};
}
Piece L(const QString& text) {
    return {false, text};
}

// The recognised classes, each matched as a whole string; no field of a class is parsed, so a
// near miss (another route, a missing comma) is simply not found.
const QHash<QString, Description>& Descriptions() {
    static const QHash<QString, Description> table = [] {
        QHash<QString, Description> t;
        const QString outcomeKeys[] = {"Goal", "Failed"};
        const QString routeKeys[] = {"CentralAttack", "RightAttack",  "LeftAttack", "Penalty",
                                     "Fault",         "IndirectKick", "FarShoot"};
        const QString specialKeys[] = {"Penalty",     "Fault",     "Corner",        "CA",
                                       "Experience",  "Quick",     "Unpredictable", "Winger",
                                       "TechnicalVs", "LongShoot", "TiredDefender", "Other"};
        for (int o = 0; o < 2; ++o) {
            const QString goal = ",0," + QString::number(o) + ",";
            const Piece w = W(outcomeKeys[o]);
            // Normal chance: outcome and route.
            for (int r = 0; r <= 6; ++r)
                t.insert(goal + "0,," + QString::number(r) + ",", {w, L(". "), W(routeKeys[r])});
            // Special event without a route.
            for (int s = 0; s <= 11; ++s)
                t.insert(goal + "1," + QString::number(s) + ",,",
                         {w, L(". "), W("SE"), L(": "), W(specialKeys[s])});
            // Counter-attack special event with its route.
            for (int r : {0, 1, 2, 4})
                t.insert(goal + "1,3," + QString::number(r) + ",",
                         {w, L(". "), W("SE"), L(": "), W("CA"), L(". "), W(routeKeys[r])});
            // Counter-attack.
            for (int r : {0, 1, 2, 4, 5})
                t.insert(goal + "2,," + QString::number(r) + ",",
                         {w, L(". "), W("CA"), L(": "), W(routeKeys[r])});
        }
        const auto other = [&t](int group, int outcome, const Description& d) {
            t.insert("," + QString::number(group) + "," + QString::number(outcome) + ",,,,", d);
        };
        const QString infoKeys[] = {"Begin",      "Disposition", "LineUp",     "Arena",       "HalfTime",
                                    "Domainated", "End",         "BestPlayer", "WorstPlayer", "Result"};
        for (int o = 0; o <= 9; ++o)
            other(1, o, {W(infoKeys[o])});
        other(2, 0, {W("Injury"), L(". "), W("Substitution")});
        other(2, 1, {W("Injury"), L(". "), W("StillPlaying")});
        other(3, 0, {W("Card"), L(". "), W("Yellow")});
        other(3, 1, {W("Card"), L(". "), W("Yellow2")});
        other(3, 2, {W("Card"), L(". "), W("Red")});
        other(4, 0, {W("Organization"), L(" +")});
        other(4, 1, {W("Organization"), L(" -")});
        other(4, 2, {W("Pressing")});
        other(4, 3, {W("TeamBack")});
        other(4, 4, {W("Powerful"), L(" +")});
        other(4, 5, {W("Powerful"), L(" -")});
        other(4, 6, {W("Technical"), L(" +")});
        other(4, 7, {W("Technical"), L(" -")});
        other(4, 8, {W("Quick"), L(" -")});
        other(4, 9, {W("Underestimation")});
        other(4, 10, {W("Nerves")});
        other(4, 11, {W("NewCaptain")});
        other(4, 12, {L("Hattrick")}); // the game's own name, the same in every language
        other(4, 13, {W("Other")});
        return t;
    }();
    return table;
}

} // namespace

QString EventClassText(const QString& EventClass) {
    const auto& table = Descriptions();
    const auto found = table.constFind(EventClass);
    if (found == table.constEnd())
        return QString();
    QString result;
    for (const Piece& piece : *found)
        result += piece.isWord ? LangText("Events", piece.text, "") : piece.text;
    return result;
}
