#include "shell/ProgramWindows.h"

#include "core/UDataModule1.h"
#include "shell/UBajarAccesorio.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UInfo.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"
#include "viewer/UPartidos.h"

#include <utility>

void CrearVentanas(const QString& ExecutablePath) {
    FMain = new TFMain(ExecutablePath); // makes the information page (FInfo) it shows first
    FOptions = new TFOptions();
    FPartidos = new TFPartidos();
    DataModule1 = new TDataModule1();
    FDialogoInicioEquipo = new TFDialogoInicioEquipo();
    FBajarAccesorio = new TFBajarAccesorio();
}

void LiberarVentanas() {
    delete std::exchange(FBajarAccesorio, nullptr);
    delete std::exchange(FDialogoInicioEquipo, nullptr);
    // Docked windows are children of the main window: each is deleted on its own first.
    delete std::exchange(FPartidos, nullptr);
    delete std::exchange(FOptions, nullptr);
    delete std::exchange(FInfo, nullptr);
    delete std::exchange(FMain, nullptr);
    delete std::exchange(DataModule1, nullptr);
}
