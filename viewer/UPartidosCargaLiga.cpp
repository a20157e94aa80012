// TFPartidos: the league round of the connect, as the connect sequence calls it. Until the league round
// is built, the league search finds nothing, as when the service gives no league details: no slot is
// filled and nothing is shown.
#include "viewer/UPartidos.h"

void TFPartidos::BuscarPartidosLiga(const QString& LeagueUnitId) {
    Q_UNUSED(LeagueUnitId);
}

void TFPartidos::DescargarJugadoresLiga() {}

void TFPartidos::ComprobarPanelLiga() {}
