// TFPartidos: one goal of the league round (ActualizarLigaGol), counted as the live events bring it:
// into the scorer list, the scoring club's goals for and the conceding club's goals against. Counts
// accumulate goal by goal; they are never recomputed.
#include "viewer/UPartidos.h"

#include "core/LeagueGoals.h"
#include "core/UGlobal.h"
#include "shell/UOptions.h"
#include "viewer/UPartidosCargaComun.h"

using namespace GoalListColumn;

namespace {

void CountTeamGoal(TBKStringGrid& ranking, const QString& teamId, bool ascending) {
    if (teamId.isEmpty())
        return;
    const int row = GoalListRow(ranking, teamId, 1, ranking.RowCount() - 1);
    if (row >= 0)
        AddGoal(ranking, row);
    ranking.SortByColumn(GoalListTotal, ascending);
}

} // namespace

void TFPartidos::ActualizarLigaGol(const QString& PlayerId, const QString& TeamId, int /*Slot*/) {
    try {
        // The team ID comes from the live feed: only digits make a file name.
        const QString playersFile =
            IsDecimalDigits(TeamId)
                ? Carga::XmlFile(QStringLiteral("players_") + TeamId + QStringLiteral(".xml"))
                : QString();
        CountScorerGoal(BKStringGridLigaGoleadores, PlayerId, playersFile);
        BKStringGridLigaGoleadores.SortByColumn(GoalListTotal, false);
    } catch (...) {
    }
    try {
        CountTeamGoal(BKStringGridLigaGolesMarcados, TeamId, false);
    } catch (...) {
    }
    try {
        CountTeamGoal(BKStringGridLigaGolesRecibidos,
                      ConcedingTeam(FOptions->BKStringGrid10Partidos(), TeamId), true);
    } catch (...) {
    }
}
