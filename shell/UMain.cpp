#include "shell/UMain.h"

#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UInfo.h"
#include "shell/UOptions.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

TFMain* FMain = nullptr;

namespace {

const QString kMain = QStringLiteral("Main");

QString tabMatches() {
    return LangText(kMain, QStringLiteral("TabMatches"), QStringLiteral("Matches"));
}
QString tabOptions() {
    return LangText(kMain, QStringLiteral("TabOptions"), QStringLiteral("Options"));
}
QString tabInfo() {
    return LangText(kMain, QStringLiteral("TabInfo"), QStringLiteral("Info"));
}

} // namespace

TFMain::TFMain(const QString& ExecutablePath, QWidget* parent)
    : QWidget(parent), files_(ProgramFiles::OfExecutable(ExecutablePath)) {
    setWindowTitle(QStringLiteral("Velkaro"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TabControl1 = new QTabBar(this);
    TabControl1->setExpanding(false);
    DockArea = new QWidget(this);
    auto* dockLayout = new QVBoxLayout(DockArea);
    dockLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabControl1);
    layout->addWidget(DockArea, 1);
    // Only a change the user makes runs the handler: the tabs set from code block the signal.
    connect(TabControl1, &QTabBar::currentChanged, this, [this] { TabControl1Change(); });
    // The window sees its children's keys first.
    qApp->installEventFilter(this);

    BorrarTemporales(files_);
    InstalarActualizacion(files_);
    ComprobarFicheros(files_);
    const EventsDataState eventsData = RepararEventsData(files_);
    OpenSettingsAndLanguage(files_.Dir, files_.Settings);
    Connected = 0;
    LeerIdioma();
    if (const QString repaired = EventsDataStateText(eventsData); !repaired.isEmpty())
        ShowMessage(repaired);

    {
        const QSignalBlocker blocker(TabControl1);
        TabControl1->setCurrentIndex(TabControl1->count() - 1);
    }
    // The information page is made once, here: the Info tab docks the same window later.
    if (!FInfo)
        FInfo = new TFInfo();
    CurrentForm = FInfo;
    FormVisible(CurrentForm, DockArea);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(0, 0);
        resize(std::max(1, area.width() - 6), std::max(1, area.height() - 62));
    }
}

TFMain::~TFMain() {
    qApp->removeEventFilter(this);
}

void TFMain::LeerIdioma() {
    const QSignalBlocker blocker(TabControl1);
    while (TabControl1->count() > 0)
        TabControl1->removeTab(0);
    TabControl1->addTab(tabMatches());
    TabControl1->addTab(tabOptions());
    TabControl1->addTab(tabInfo());
}

void TFMain::FormVisible(QWidget* Form, QWidget* Parent) {
    if (Form->parentWidget() != Parent)
        Form->setParent(Parent, Qt::Widget); // no border: a child filling its parent
    if (Parent->layout() && Parent->layout()->indexOf(Form) < 0)
        Parent->layout()->addWidget(Form);
    Form->show();
}

void TFMain::ensureDataFolders() const {
    QDir().mkpath(files_.Dir + QStringLiteral("data/Xml"));
}

void TFMain::TabControl1Change() {
    if (shuttingDown_)
        return;
    const int index = TabControl1->currentIndex();
    const QString user = FOptions ? FOptions->EditUsuario->text() : QString();
    // No user yet: an empty name is as much a first run as "0".
    if (user == QLatin1String("0") || user.isEmpty()) {
        // The first run already saves the service's files into data/Xml/.
        ensureDataFolders();
        PrimeraEjecucion();
        if (shuttingDown_)
            return;
        ensureDataFolders();
        EnsureXmlFolder(FOptions ? FOptions->EditTeamID->text() : QString());
    } else {
        if (CurrentForm)
            CurrentForm->hide();
        const QString caption = TabControl1->tabText(index);
        QWidget* form = FInfo;
        if (caption == tabMatches())
            form = FPartidos;
        else if (caption == tabOptions())
            form = FOptions;
        if (form) {
            CurrentForm = form;
            FormVisible(form, DockArea);
        }
    }
    // The first run ends on the matches tab.
    if (TabControl1->currentIndex() == 0 && FPartidos)
        FPartidos->CompletarGrupoFavoritos();
}
