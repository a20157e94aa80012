// TFPartidos: the league round of the connect and the new-version check, as the connect sequence calls
// them. Until the league round is built, the league search finds nothing, as when the service gives no
// league details: no slot is filled and nothing is shown.
#include "viewer/UPartidos.h"

void TFPartidos::BuscarPartidosLiga(const QString& LeagueUnitId) {
    Q_UNUSED(LeagueUnitId);
}

void TFPartidos::DescargarJugadoresLiga() {}

void TFPartidos::ComprobarPanelLiga() {}

QString TFPartidos::ComprobarNuevaVersion() {
    // No version page is read: the connect reports that the version could not be checked.
    return QStringLiteral("No");
}
