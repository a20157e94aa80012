// TFPartidos: creation of the window, its two panels and their placement.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/Settings.h"
#include "platform/widgets/Gauge.h"
#include "platform/widgets/RadioGroup.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/StringGridView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

TFPartidos* FPartidos = nullptr;

namespace {

QFrame* NewPanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

QLabel* NewLabel(QWidget* parent, int x, int y, int w) {
    auto* label = new QLabel(parent);
    label->setGeometry(x, y, w, 24);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* NewEdit(QWidget* parent, int x, int y, int w, bool password = false) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, w, 26);
    if (password) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    }
    return edit;
}

} // namespace

TFPartidos::TFPartidos(QWidget* parent) : QWidget(parent) {
    SetUpProxyTable(BKStringGridProxy);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PanelConexion = NewPanel(this, "PanelConexion");
    PanelPartidos = NewPanel(this, "PanelPartidos");
    layout->addWidget(PanelConexion);
    layout->addWidget(PanelPartidos);
    CreatePanelConexion();
    CreatePanelPartidos();

    FormCreate();
}

TFPartidos::~TFPartidos() {
    // The views go while the tables they show, members of this window, still live.
    DeleteChildWidgets(this);
}

void TFPartidos::CreatePanelConexion() {
    // The three blocks keep the sizes of the original layout and are placed by PlacePanels.
    PanelCentro = NewPanel(PanelConexion, "PanelCentro");
    PanelCentro->setFrameShape(QFrame::StyledPanel);
    PanelCentro->resize(564, 305);

    LabelUsuario = NewLabel(PanelCentro, 16, 20, 130);
    EditUsuario = NewEdit(PanelCentro, 150, 19, 190);
    LabelPassword = NewLabel(PanelCentro, 16, 54, 130);
    EditPassword = NewEdit(PanelCentro, 150, 53, 190, true);
    CheckBoxPassword = new QCheckBox(PanelCentro);
    CheckBoxPassword->setGeometry(150, 84, 400, 24);
    BitBtnConectar = new QPushButton(PanelCentro);
    BitBtnConectar->setGeometry(364, 19, 180, 60);
    BitBtnConectar->setEnabled(false);

    GroupBoxProxy = new QGroupBox(PanelCentro);
    GroupBoxProxy->setGeometry(16, 116, 532, 178);
    CheckBoxProxy = new QCheckBox(GroupBoxProxy);
    CheckBoxProxy->setGeometry(12, 24, 400, 24);
    Label3 = NewLabel(GroupBoxProxy, 12, 55, 130);
    EditProxyServer = NewEdit(GroupBoxProxy, 150, 54, 366);
    Label4 = NewLabel(GroupBoxProxy, 12, 85, 130);
    EditProxyPort = NewEdit(GroupBoxProxy, 150, 84, 100);
    Label5 = NewLabel(GroupBoxProxy, 12, 115, 130);
    EditProxyUserName = NewEdit(GroupBoxProxy, 150, 114, 200);
    Label6 = NewLabel(GroupBoxProxy, 12, 145, 130);
    EditProxyPassword = NewEdit(GroupBoxProxy, 150, 144, 200, true);

    PanelAbajo = NewPanel(PanelConexion, "PanelAbajo");
    PanelAbajo->resize(564, 85);
    RadioGroupTipoPartidos = new RadioGroup(PanelAbajo);
    RadioGroupCargaInicial = new RadioGroup(PanelAbajo);
    RadioGroupCargaInicial->SetColumns(2);

    PanelMensajes = NewPanel(PanelConexion, "PanelMensajes");
    PanelMensajes->setFrameShape(QFrame::StyledPanel);
    PanelMensajes->resize(289, 405);
    Label7 = NewLabel(PanelMensajes, 8, 6, 273);
    MemoConexion = new QPlainTextEdit(PanelMensajes);
    MemoConexion->setReadOnly(true);
    MemoConexion->setGeometry(8, 32, 273, 333);
    GaugeConexion = new Gauge(PanelMensajes);
    GaugeConexion->setGeometry(8, 373, 273, 24);
    QPalette gaugePalette = GaugeConexion->palette();
    gaugePalette.setColor(QPalette::Highlight, Qt::blue);
    GaugeConexion->setPalette(gaugePalette);

    // Handlers. Check boxes and edits run them on changes made from code as well.
    connect(EditUsuario, &QLineEdit::textChanged, this, [this] { EditUsuarioChange(); });
    connect(EditPassword, &QLineEdit::textChanged, this, [this] { EditUsuarioChange(); });
    connect(CheckBoxProxy, &QCheckBox::toggled, this, [this] { CheckBoxProxyClick(); });
    connect(CheckBoxPassword, &QCheckBox::toggled, this, [this] { CheckBoxPasswordClick(); });
    connect(BitBtnConectar, &QPushButton::clicked, this, [this] { BitBtnConectarClick(); });
    RadioGroupTipoPartidos->OnClick = [this] { RadioGroupTipoPartidosClick(); };
    CheckBoxProxyClick(); // the proxy edits start disabled, as the box starts unchecked
    EditProxyPort->installEventFilter(this);
    EditPassword->installEventFilter(this);
}

void TFPartidos::CreatePanelPartidos() {
    auto* layout = new QVBoxLayout(PanelPartidos);
    layout->setContentsMargins(2, 2, 2, 2);
    TabControlPartidos = new QTabBar(PanelPartidos);
    TabControlPartidos->setObjectName(QStringLiteral("TabControlPartidos"));
    for (int i = 0; i < 10; ++i)
        TabControlPartidos->addTab(QString::number(i + 1));
    // The match type title ("Live" or "Recorded") heads the tab row, so it stays in sight in both modes.
    auto* tabRow = new QHBoxLayout;
    tabRow->setSpacing(6);
    tabRow->addWidget(TabControlPartidos, 1);
    layout->addLayout(tabRow);

    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(right, 2);
    PanelAnadirEquipo = NewPanel(PanelPartidos, "PanelAnadirEquipo");
    PanelPartido = NewPanel(PanelPartidos, "PanelPartido");
    PanelLiga = NewPanel(PanelPartidos, "PanelLiga");
    PanelEventos = NewPanel(PanelPartidos, "PanelEventos");
    PanelTiempo = NewPanel(PanelPartidos, "PanelTiempo");
    for (QFrame* panel : {PanelAnadirEquipo, PanelPartido, PanelLiga, PanelEventos, PanelTiempo})
        panel->setFrameShape(QFrame::StyledPanel);
    left->addWidget(PanelAnadirEquipo);
    left->addWidget(PanelPartido, 1);
    right->addWidget(PanelLiga, 1);
    right->addWidget(PanelEventos, 1);
    right->addWidget(PanelTiempo);
    // Each panel's controls are created by the file of its concern.
    CreatePanelAnadirEquipo();
    CreatePanelPartido();
    CreatePanelFinPartido(); // the end-of-match report on the match view's second page
    CreatePanelLiga();
    CreatePanelEventos();
    CreatePanelTiempo();
    CreateImageTabs();
    tabRow->insertWidget(0, LabelTipoPartido);
    right->addWidget(PanelVelocidad);

    // OnChanging keeps the tab shown so far; OnChange rebuilds. Tab changes made from code block the
    // signal and call TabControlPartidosChange themselves.
    connect(TabControlPartidos, &QTabBar::tabBarClicked, this, [this] { TabControlPartidosChanging(); });
    connect(TabControlPartidos, &QTabBar::currentChanged, this, [this] { TabControlPartidosChange(); });
}

void TFPartidos::PlacePanels() {
    // Centred on the primary screen as the original layout was; a screen smaller than the panels
    // puts them at the window's edge instead of outside it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    const int top = qMax(0, area.height() / 2 - 300);
    const int left = qMax(0, area.width() / 2 - 440);
    PanelCentro->move(left, top);
    PanelMensajes->move(left + 575, top);

    // The initial-load group shows its four items in two columns, or one under another when two do
    // not fit; the lower panel grows with it. The match-type group takes what its two short items
    // need, the initial-load group the rest.
    const int typeWidth = qMin(RadioGroupTipoPartidos->sizeHint().width(), 180);
    RadioGroupCargaInicial->SetColumns(2);
    if (RadioGroupCargaInicial->sizeHint().width() > 564 - typeWidth - 6)
        RadioGroupCargaInicial->SetColumns(1);
    const int groupHeight = qMax(85, RadioGroupCargaInicial->sizeHint().height());
    PanelAbajo->setGeometry(left, top + 320, 564, groupHeight);
    RadioGroupTipoPartidos->setGeometry(0, 0, typeWidth, groupHeight);
    RadioGroupCargaInicial->setGeometry(typeWidth + 6, 0, 564 - typeWidth - 6, groupHeight);
}

void TFPartidos::FormCreate() {
    LeerIdioma();
    PanelConexion->setHidden(false);
    PanelPartidos->setHidden(true);
    PlacePanels();
    // The user name of the settings, which the options window shows in its own user edit.
    if (SettingsIni)
        EditUsuario->setText(
            SettingsIni->ReadString(QStringLiteral("Opciones"), QStringLiteral("Usuario"), QString()));
    CompletarProxy();
    RadioGroupTipoPartidos->SetItemIndex(0);
    RadioGroupCargaInicial->SetItemIndex(0);
    CompletarGrupoFavoritos();
    {
        const QSignalBlocker blocker(TabControlPartidos);
        TabControlPartidos->setCurrentIndex(0);
    }
    {
        const QSignalBlocker blocker(PageControlEventos);
        PageControlEventos->setCurrentIndex(0);
        PageControlEventos->setTabVisible(1, false);
    }
    RadioGroupEsJuveniles->SetItemIndex(0); // senior
}

void TFPartidos::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}
