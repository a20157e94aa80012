#include "viewer/UPartidos.h"

#include "platform/widgets/RichEdit.h"

#include <QTabBar>
#include <QVBoxLayout>

TFPartidos* FPartidos = nullptr;

TFPartidos::TFPartidos(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    TabControlPartidos = new QTabBar(this);
    for (int i = 0; i < 10; ++i)
        TabControlPartidos->addTab(QString::number(i + 1));
    RichEditEventosPanel = new RichEdit(this);
    layout->addWidget(TabControlPartidos);
    layout->addWidget(RichEditEventosPanel);
}

TFPartidos::~TFPartidos() = default;

void TFPartidos::TabControlPartidosChange() {}

void TFPartidos::CompletarGrupoFavoritos() {}

void TFPartidos::LeerIdioma() {}
