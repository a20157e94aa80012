#pragma once
// The matches window as the user has it during a match: connected (the match panels shown instead of
// the connection panel), shown at a usual size, the first slot's tab open.
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QFrame>
#include <QSignalBlocker>
#include <QTabBar>

inline void ShowMatchesWindow() {
    FPartidos->PanelConexion->setHidden(true);
    FPartidos->PanelPartidos->setHidden(false);
    FPartidos->resize(1100, 760);
    FPartidos->show();
    {
        const QSignalBlocker blocker(FPartidos->TabControlPartidos);
        FPartidos->TabControlPartidos->setCurrentIndex(0);
    }
    QApplication::processEvents();
}
