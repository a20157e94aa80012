#pragma once
// The single-instance guard of the program: one running process per executable name. A later start
// brings the running one to the front and ends without a message.
#include <QString>

class QWidget;

// "PREVINST:" + the default title derived from the executable's file name.
QString GetInstanceMutexName();
// Takes the guard; runs at start before the application title is set. From then on a later start is
// answered: before RaiseOnActivation the open modal box (if any) comes to the front, and the window
// follows once it is registered.
void InitFirstInstance();
bool IsFirstInstance();
// Second instance: asks the running one to come to the front (nothing else passes between them).
void ActivateFirstInstance();
// First instance: a later start brings Window, or the modal dialog it shows, to the front; a start
// that asked before Window was registered brings it to the front now.
void RaiseOnActivation(QWidget* Window);
// Brings Window to the front: restored when minimised; its active modal dialog instead when one is
// shown and enabled.
void BringToFront(QWidget* Window);
// Releases the guard at the end of the process.
void FreeInstanceMutex();
