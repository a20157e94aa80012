#include "shell/UMain.h"

#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/Exceptions.h"

#include <QCloseEvent>

void TFMain::Shutdown(ShutdownMode Mode) {
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    restartRequested_ = Mode == ShutdownMode::LanguageChanged;
    if (Connected == 1) {
        QString result;
        try {
            ConexionLogout(result);
        } catch (...) {
            // Logging out at the end is a courtesy to the service; nothing depends on it.
        }
    }
    if (Mode != ShutdownMode::FirstRunAborted && SettingsIni) {
        try {
            SettingsIni->UpdateFile();
        } catch (const Exception&) {
            // The old file stays whole; there is nobody left to tell.
        }
    }
    // Closing the last window ends the message loop (closeEvent finds the routine done).
    close();
}

void TFMain::closeEvent(QCloseEvent* event) {
    Shutdown(ShutdownMode::Normal);
    event->accept();
}
