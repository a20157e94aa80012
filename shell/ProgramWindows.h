#pragma once
// The program's windows, its data module and its two dialogs, created once in the order of the start
// and kept until the program ends.
#include <QString>

// Creates them in this order: main window (on the program folder of ExecutablePath), information,
// options, matches, data module, first-run dialog, add-favourite dialog.
void CrearVentanas(const QString& ExecutablePath);
// Deletes them again (each global back to null).
void LiberarVentanas();
