// ProgramMain: one running instance creates every window and runs the message loop; a second start
// brings the running one to the front and ends.
#include "platform/Cursor.h"
#include "platform/Shell.h"
#include "shell/FirstInstance.h"
#include "shell/ProgramWindows.h"
#include "shell/UMain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bool restart = false;
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
        CrearVentanas(QCoreApplication::applicationFilePath());
        RaiseOnActivation(FMain);
        FMain->show();
        app.exec();
        restart = FMain->RestartRequested();
        LiberarVentanas();
    } else {
        ActivateFirstInstance();
    }
    FreeInstanceMutex();
    // A language change starts the program again, once the guard is free for the new process.
    if (restart)
        QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList());
    return 0;
}
