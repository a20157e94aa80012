// ProgramMain: one running instance creates every window and runs the message loop; a second start
// brings the running one to the front and ends.
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "platform/Shell.h"
#include "shell/FirstInstance.h"
#include "shell/UInfo.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The guard's name comes from the executable's own name, before the title is set.
    InitFirstInstance();
    QApplication::setApplicationName(QStringLiteral("Velkaro"));
    if (IsFirstInstance()) {
        Shell::SetOpener([](const QString& address) { return QDesktopServices::openUrl(QUrl(address)); });
        Cursor::SetHook([](bool busy) {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        });
        // The main window's creation makes the information page (FInfo) it shows first.
        FMain = new TFMain(QCoreApplication::applicationFilePath());
        FOptions = new TFOptions();
        FPartidos = new TFPartidos();
        DataModule1 = new TDataModule1();
        RaiseOnActivation(FMain);
        FMain->show();
        app.exec();
        // Docked windows are children of the main window: each is deleted on its own first.
        delete FPartidos;
        delete FOptions;
        delete FInfo;
        delete FMain;
        delete DataModule1;
    } else {
        ActivateFirstInstance();
    }
    FreeInstanceMutex();
    return 0;
}
