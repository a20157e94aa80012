#include "shell/UMain.h"

#include "platform/widgets/RichEdit.h"
#include "viewer/UPartidos.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTabBar>

bool TFMain::FormKeyDown(int Key, Qt::KeyboardModifiers Shift) {
    if (!(Shift & Qt::AltModifier) || !FPartidos)
        return false;
    if (Key == Qt::Key_E) {
        FPartidos->RichEditEventosPanel->setFocus();
        return true;
    }
    int tab = -1;
    if (Key >= Qt::Key_1 && Key <= Qt::Key_9)
        tab = Key - Qt::Key_1;
    else if (Key == Qt::Key_0)
        tab = 9;
    if (tab < 0)
        return false;
    FPartidos->PrevTab = FPartidos->TabControlPartidos->currentIndex();
    {
        // The rebuild below is the only one: the tab's own change signal must not run a second.
        const QSignalBlocker blocker(FPartidos->TabControlPartidos);
        FPartidos->TabControlPartidos->setCurrentIndex(tab);
    }
    FPartidos->TabControlPartidosChange();
    return true;
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key->key(), key->modifiers())) {
            key->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
