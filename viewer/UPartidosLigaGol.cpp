// The league-goal hook of the live events. The live league table fills it in.
#include "viewer/UPartidos.h"

void TFPartidos::ActualizarLigaGol(const QString& /*PlayerId*/, const QString& /*TeamId*/, int /*Slot*/) {}
