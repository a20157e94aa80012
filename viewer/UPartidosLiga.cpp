#include "viewer/UPartidos.h"

void TFPartidos::CreatePanelLiga() {}
