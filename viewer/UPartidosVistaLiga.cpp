// TFPartidos: what the match view calls of the league panel and the end-of-match report. Those
// concerns are not built yet; the calls do nothing.
#include "viewer/UPartidos.h"

void TFPartidos::ActualizarLiga() {}

void TFPartidos::CompletarPartidoFinPartido(int) {}
