#include "support/gui/TestProgram.h"

#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "shell/UOptions.h"
#include "viewer/UPartidos.h"

TestProgram::TestProgram() : TestProgram(Options{}) {}

TestProgram::TestProgram(const Options& options) {
    if (options.withService) {
        Service = std::make_unique<ServiceProcess>(options.speed, options.start, options.serviceArgs);
        Folder.SetServiceAddress(Service->BaseUrl());
    }
    Folder.OpenSettings();
    Connected = 0;
    RecommendedURL.clear();
    FOptions = new TFOptions();
    FPartidos = new TFPartidos();
    DataModule1 = new TDataModule1();
}

TestProgram::~TestProgram() {
    delete DataModule1;
    DataModule1 = nullptr;
    delete FPartidos;
    FPartidos = nullptr;
    delete FOptions;
    FOptions = nullptr;
    Connected = 0;
}
