// TFPartidos: what the match view calls of the league panel. The live league table is rebuilt whole at
// every refill of the view, from the unchanged table before the round and the current scores.
#include "viewer/UPartidos.h"

#include "core/LeagueTable.h"
#include "shell/UOptions.h"

void TFPartidos::ActualizarLiga() {
    try {
        ComputeLiveTable(BKStringGridLigaInicial, FOptions->BKStringGrid10Partidos(),
                         FOptions->BKStringGridTemp(), FOptions->BKStringGridTemp2(),
                         BKStringGridLigaActualizada);
    } catch (...) {
        // The table keeps what was written up to the failure.
    }
}
