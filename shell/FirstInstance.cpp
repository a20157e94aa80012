#include "shell/FirstInstance.h"

#include "platform/InstanceGuard.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <utility>

namespace {
InstanceGuard* guard = nullptr;
// The window a later start brings to the front, once the program has made it.
QPointer<QWidget> mainWindow;
// A later start asked while there was no window yet: the window comes to the front once it is made.
bool activationPending = false;

// A later start arrived. While the program is still starting (an installation's message box may be
// open) there is no window yet: its modal box comes to the front now, the window when it is made.
void activationRequested() {
    if (mainWindow) {
        BringToFront(mainWindow);
        return;
    }
    activationPending = true;
    if (QWidget* modal = QApplication::activeModalWidget())
        BringToFront(modal);
}
} // namespace

QString GetInstanceMutexName() {
    return InstanceMutexName(ApplicationTitleOf(QCoreApplication::applicationFilePath()));
}

void InitFirstInstance() {
    delete guard;
    guard = new InstanceGuard(GetInstanceMutexName());
    mainWindow = nullptr;
    activationPending = false;
    // Listening starts with the guard, before any window exists, so that no request is lost.
    QObject::connect(guard, &InstanceGuard::ActivationRequested, guard, activationRequested);
}

bool IsFirstInstance() {
    return !guard || guard->IsFirst();
}

void ActivateFirstInstance() {
    if (guard)
        guard->NotifyFirst(); // a running instance that cannot be reached is left alone
}

void BringToFront(QWidget* Window) {
    if (!Window)
        return;
    if (Window->isMinimized()) {
        Window->setWindowState((Window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        Window->show();
        return;
    }
    Window->activateWindow();
    QWidget* target = QApplication::activeModalWidget();
    if (!target || target == Window || !target->isVisible() || !target->isEnabled())
        target = Window;
    target->raise();
    target->activateWindow();
}

void RaiseOnActivation(QWidget* Window) {
    mainWindow = Window;
    if (std::exchange(activationPending, false))
        BringToFront(Window);
}

void FreeInstanceMutex() {
    delete guard;
    guard = nullptr;
}
