#include "shell/FirstInstance.h"

#include "platform/InstanceGuard.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
InstanceGuard* guard = nullptr;
} // namespace

QString GetInstanceMutexName() {
    return InstanceMutexName(ApplicationTitleOf(QCoreApplication::applicationFilePath()));
}

void InitFirstInstance() {
    delete guard;
    guard = new InstanceGuard(GetInstanceMutexName());
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
    if (!guard)
        return;
    QObject::connect(guard, &InstanceGuard::ActivationRequested, Window,
                     [window = QPointer<QWidget>(Window)] { BringToFront(window); });
}

void FreeInstanceMutex() {
    delete guard;
    guard = nullptr;
}
