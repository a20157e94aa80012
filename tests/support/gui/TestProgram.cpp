#include "support/gui/TestProgram.h"

#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "shell/UOptions.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

TestProgram::TestProgram() : TestProgram(Options{}) {}

TestProgram::Options TestProgram::Served(const QString& start, bool withMainWindow) {
    return {
        .withService = true, .speed = 0, .start = start, .serviceArgs = {}, .withMainWindow = withMainWindow};
}

TestProgram::TestProgram(const Options& options) {
    if (options.withService) {
        Service = std::make_unique<ServiceProcess>(options.speed, options.start, options.serviceArgs);
        Folder.SetServiceAddress(Service->BaseUrl());
    }
    Folder.OpenSettings();
    Connected = 0;
    RecommendedURL.clear();
    if (options.withMainWindow) {
        CreateProgramWindows(Folder.File(QStringLiteral("Velkaro")));
        return;
    }
    FOptions = new TFOptions();
    FPartidos = new TFPartidos();
    DataModule1 = new TDataModule1();
}

TestProgram::~TestProgram() {
    DeleteProgramWindows();
}
