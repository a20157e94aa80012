#pragma once
// TFMain: the one top-level window. Its creation does the start-up work (update installation,
// data-file restore, settings and language objects); it docks the matches, options and information
// windows under its three tabs, forwards the matches window's keyboard shortcuts and shuts down.
#include "shell/Install.h"

#include <QWidget>

class QTabBar;

class TFMain : public QWidget {
    Q_OBJECT
public:
    // How the program ends. Every way out goes through Shutdown.
    enum class ShutdownMode {
        Normal,          // the window was closed: log out, write the settings file
        FirstRunAborted, // the first run was given up: log out, write nothing
        LanguageChanged, // the language change wrote the settings already: log out, write again,
                         // and start the program again once this one has ended
    };

    // FormCreate for the program whose executable is ExecutablePath (its folder is the program folder).
    explicit TFMain(const QString& ExecutablePath, QWidget* parent = nullptr);
    ~TFMain() override;

    QTabBar* TabControl1 = nullptr; // matches, options, information
    QWidget* DockArea = nullptr;    // where the window of the selected tab is docked
    QWidget* CurrentForm = nullptr; // the window docked at the moment

    const ProgramFiles& Files() const { return files_; }

    // Docks Form into Parent: no border, filling the parent, shown.
    void FormVisible(QWidget* Form, QWidget* Parent);
    // The user picked a tab.
    void TabControl1Change();
    // The keys the window previews before its children; true when the key was used.
    bool FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    // The three tab captions.
    void LeerIdioma();
    // The first run, started by the first tab change while there is no user yet.
    void PrimeraEjecucion();

    // The one shutdown routine: logs out when connected, writes the settings file unless the first
    // run was aborted, and closes the window, which ends the program. Runs once; the settings and
    // language objects stay until the process ends.
    void Shutdown(ShutdownMode Mode);
    bool ShuttingDown() const { return shuttingDown_; }
    // The shutdown asked for a new start of the program (a language change).
    bool RestartRequested() const { return restartRequested_; }

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureDataFolders() const;

    ProgramFiles files_;
    bool shuttingDown_ = false;
    bool restartRequested_ = false;
};

extern TFMain* FMain;
