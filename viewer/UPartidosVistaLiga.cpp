// TFPartidos: what the match view calls of the league panel. That concern is not built yet; the
// call does nothing.
#include "viewer/UPartidos.h"

void TFPartidos::ActualizarLiga() {}
