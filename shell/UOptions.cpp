// The options window's controls, their layout and the connections of the handlers.
#include "shell/UOptions.h"

#include "platform/widgets/StringGridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TFOptions* FOptions = nullptr;

namespace SoundKind {

QString Name(int kind) {
    static const char* const names[Count] = {"MiGol",         "ContraGol",  "OtroGol", "Ocasion",
                                             "InicioPartido", "FinPartido", "Tarjeta", "Lesion"};
    return QString::fromLatin1(names[kind]);
}

SoundRow::Value Row(int kind) {
    static const SoundRow::Value rows[Count] = {SoundRow::SoundMiGol,         SoundRow::SoundContraGol,
                                                SoundRow::SoundOtroGol,       SoundRow::SoundOcasion,
                                                SoundRow::SoundInicioPartido, SoundRow::SoundFinPartido,
                                                SoundRow::SoundTarjeta,       SoundRow::SoundLesion};
    return rows[kind];
}

QString DefaultFile(int kind) {
    static const char* const files[Count] = {"GoalMine.wav",   "GoalAgainst.wav", "Goal.wav", "Chance.wav",
                                             "MatchStart.wav", "MatchEnd.wav",    "Card.wav", "Injury.wav"};
    return QStringLiteral("sounds/") + QString::fromLatin1(files[kind]);
}

} // namespace SoundKind

const QStringList& LanguageDisplayNames() {
    static const QStringList names = {
        QStringLiteral("Belarusian"),
        QStringLiteral("Bulgarian"),
        QStringLiteral("Català"),
        QStringLiteral("Ceština"),
        QStringLiteral("Chinese - Simplified"),
        QStringLiteral("Chinese - Traditional"),
        QStringLiteral("Dansk"),
        QStringLiteral("Deutsch"),
        QStringLiteral("Eesti"),
        QStringLiteral("English"),
        QStringLiteral("Español"),
        QStringLiteral("Français"),
        QStringLiteral("Galego"),
        QStringLiteral("Greek"),
        QStringLiteral("Hebrew"),
        QStringLiteral("Italiano"),
        QStringLiteral("Lietuviu"),
        QStringLiteral("Magyar"),
        QStringLiteral("Nederlands"),
        QStringLiteral("Norsk"),
        QStringLiteral("Persian"),
        QStringLiteral("Polski"),
        QStringLiteral("Português-Brasil"),
        QStringLiteral("Português-Portugal"),
        QStringLiteral("Romanian"),
        QStringLiteral("Russian"),
        QStringLiteral("Srpski"),
        QStringLiteral("Suomi"),
        QStringLiteral("Svenska"),
        QStringLiteral("Turkce"),
    };
    return names;
}

TFOptions::TFOptions(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FOptions"));
    CreateControls();
    ConnectHandlers();
    FormCreate();
}

TFOptions::~TFOptions() {
    // The views go while the tables they show, held by this window, still live.
    DeleteChildWidgets(this);
    if (FOptions == this)
        FOptions = nullptr;
}

namespace {

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Labels show their text as it is, never as markup: some show what the game service sent.
QLabel* NewLabel(const char* name, QWidget* parent = nullptr) {
    QLabel* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* NewEdit(const char* name, QWidget* parent = nullptr) {
    return Named(new QLineEdit(parent), name);
}

} // namespace

void TFOptions::CreateControls() {
    auto* top = new QGridLayout(this);
    top->addWidget(CreateUserPage(), 0, 0);
    top->addWidget(CreateSoundsBox(), 0, 1);
    top->addWidget(CreateFavouritesPages(), 1, 0, 1, 2);
    top->setRowStretch(1, 1);
    top->setColumnStretch(1, 1);

    // The hidden tables that have a view sit on an invisible panel.
    PanelDatos = Named(new QWidget(this), "PanelDatos");
    auto* panel = new QVBoxLayout(PanelDatos);
    ViewFavoritos =
        Named(new StringGridView(&datos_.BKStringGridFavoritos, PanelDatos), "BKStringGridFavoritos");
    panel->addWidget(ViewFavoritos);
    PanelDatos->hide();
}

QWidget* TFOptions::CreateUserPage() {
    auto* page = Named(new QWidget(this), "PanelUsuario");
    auto* grid = new QGridLayout(page);
    int row = 0;
    auto addField = [&](QLabel*& label, const char* labelName, QLineEdit*& edit, const char* editName) {
        label = NewLabel(labelName, page);
        edit = NewEdit(editName, page);
        edit->setReadOnly(true);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    };
    addField(LabelUsuario, "LabelUsuario", EditUsuario, "EditUsuario");
    addField(LabelUsuarioID, "LabelUsuarioID", EditUsuarioID, "EditUsuarioID");
    addField(LabelTeam, "LabelTeam", EditTeam, "EditTeam");
    addField(LabelTeamID, "LabelTeamID", EditTeamID, "EditTeamID");
    addField(LabelPais, "LabelPais", EditPais, "EditPais");
    addField(LabelMoneda, "LabelMoneda", EditMoneda, "EditMoneda");
    addField(LabelLigaID, "LabelLigaID", EditLigaID, "EditLigaID");
    addField(LabelLigaNombre, "LabelLigaNombre", EditLigaNombre, "EditLigaNombre");
    LabelLigaID->hide();
    EditLigaID->hide();
    LabelLigaNombre->hide();
    EditLigaNombre->hide();
    EditTeamIDJuveniles = NewEdit("EditTeamIDJuveniles", page);
    EditTeamIDJuveniles->hide();
    LabelSupporter = NewLabel("LabelSupporter", page);
    LabelSupporter->hide();

    // Start of the user's team and the current date, each as date, season and week.
    auto makeTimeBox = [&](const char* boxName, QLabel*& dateCaption, const char* dateCaptionName,
                           QLabel*& date, const char* dateName, QLabel*& seasonCaption,
                           const char* seasonCaptionName, QLabel*& season, const char* seasonName,
                           QLabel*& weekCaption, const char* weekCaptionName, QLabel*& week,
                           const char* weekName) {
        auto* box = Named(new QGroupBox(page), boxName);
        auto* g = new QGridLayout(box);
        dateCaption = NewLabel(dateCaptionName, box);
        date = NewLabel(dateName, box);
        seasonCaption = NewLabel(seasonCaptionName, box);
        season = NewLabel(seasonName, box);
        weekCaption = NewLabel(weekCaptionName, box);
        week = NewLabel(weekName, box);
        g->addWidget(dateCaption, 0, 0);
        g->addWidget(date, 0, 1);
        g->addWidget(seasonCaption, 1, 0);
        g->addWidget(season, 1, 1);
        g->addWidget(weekCaption, 2, 0);
        g->addWidget(week, 2, 1);
        g->setColumnStretch(1, 1);
        return box;
    };
    GroupBox1 = makeTimeBox("GroupBox1", LabelTituloInicioFecha, "LabelTituloInicioFecha", LabelInicioFecha,
                            "LabelInicioFecha", LabelTituloInicioTemporada, "LabelTituloInicioTemporada",
                            LabelInicioTemporada, "LabelInicioTemporada", LabelTituloInicioSemana,
                            "LabelTituloInicioSemana", LabelInicioSemana, "LabelInicioSemana");
    GroupBoxTiempo =
        makeTimeBox("GroupBoxTiempo", LabelTituloFecha, "LabelTituloFecha", LabelFecha, "LabelFecha",
                    LabelTituloTemporada, "LabelTituloTemporada", LabelTemporada, "LabelTemporada",
                    LabelTituloSemana, "LabelTituloSemana", LabelSemana, "LabelSemana");
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(GroupBox1);
    boxes->addWidget(GroupBoxTiempo);
    grid->addLayout(boxes, row++, 0, 1, 2);

    LabelIdioma = NewLabel("LabelIdioma", page);
    ComboBoxIdioma = Named(new QComboBox(page), "ComboBoxIdioma");
    ComboBoxIdioma->addItems(LanguageDisplayNames());
    LabelIdioma->setBuddy(ComboBoxIdioma);
    grid->addWidget(LabelIdioma, row, 0);
    grid->addWidget(ComboBoxIdioma, row++, 1);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget* TFOptions::CreateSoundsBox() {
    GroupBoxSonidos = Named(new QGroupBox(this), "GroupBoxSonidos");
    auto* g = new QGridLayout(GroupBoxSonidos);
    CheckBoxSonidos = Named(new QCheckBox(GroupBoxSonidos), "CheckBoxSonidos");
    CheckBoxSonidos->setChecked(true);
    LabelDuracion = NewLabel("LabelDuracion", GroupBoxSonidos);
    LabelMilisegundos = NewLabel("LabelMilisegundos", GroupBoxSonidos);
    g->addWidget(CheckBoxSonidos, 0, 0, 1, 3);
    g->addWidget(LabelDuracion, 0, 5);
    g->addWidget(LabelMilisegundos, 1, 5);

    // Buttons are numbered as the sound table's kinds were added: MiGol 1, OtroGol 2, Ocasion 3,
    // InicioPartido 4, FinPartido 5, Tarjeta 6, Lesion 7, ContraGol 8.
    static const int buttonNumber[SoundKind::Count] = {1, 8, 2, 3, 4, 5, 6, 7};
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DialogOpenButton);
    const QIcon playIcon = style()->standardIcon(QStyle::SP_MediaPlay);
    for (int k = 0; k < SoundKind::Count; ++k) {
        const QString name = SoundKind::Name(k);
        const int n = buttonNumber[k];
        const int row = k + 2;
        LabelSonido[k] = NewLabel(("LabelSonido" + name).toLatin1().constData(), GroupBoxSonidos);
        EditSonido[k] = Named(new QLineEdit(GroupBoxSonidos), ("EditSonido" + name).toLatin1().constData());
        SpeedSonido[n - 1] = Named(new QToolButton(GroupBoxSonidos),
                                   ("SpeedSonido" + QString::number(n)).toLatin1().constData());
        SpeedSonido[n - 1]->setIcon(openIcon);
        SpeedTest[n - 1] = Named(new QToolButton(GroupBoxSonidos),
                                 ("SpeedTest" + QString::number(n)).toLatin1().constData());
        SpeedTest[n - 1]->setIcon(playIcon);
        CheckBoxSonidosKind[k] =
            Named(new QCheckBox(GroupBoxSonidos), ("CheckBoxSonidos" + name).toLatin1().constData());
        CheckBoxSonidosKind[k]->setChecked(true);
        SpinEdit[k] = Named(new QSpinBox(GroupBoxSonidos), ("SpinEdit" + name).toLatin1().constData());
        SpinEdit[k]->setRange(1000, 30000);
        SpinEdit[k]->setSingleStep(10);
        SpinEdit[k]->setValue(1500);
        g->addWidget(CheckBoxSonidosKind[k], row, 0);
        g->addWidget(LabelSonido[k], row, 1);
        g->addWidget(EditSonido[k], row, 2);
        g->addWidget(SpeedSonido[n - 1], row, 3);
        g->addWidget(SpeedTest[n - 1], row, 4);
        g->addWidget(SpinEdit[k], row, 5);
    }
    g->setColumnStretch(2, 1);

    EditSonidoMiGol = EditSonido[SoundKind::MiGol];
    EditSonidoContraGol = EditSonido[SoundKind::ContraGol];
    EditSonidoOtroGol = EditSonido[SoundKind::OtroGol];
    EditSonidoOcasion = EditSonido[SoundKind::Ocasion];
    EditSonidoInicioPartido = EditSonido[SoundKind::InicioPartido];
    EditSonidoFinPartido = EditSonido[SoundKind::FinPartido];
    EditSonidoTarjeta = EditSonido[SoundKind::Tarjeta];
    EditSonidoLesion = EditSonido[SoundKind::Lesion];
    CheckBoxSonidosMiGol = CheckBoxSonidosKind[SoundKind::MiGol];
    CheckBoxSonidosContraGol = CheckBoxSonidosKind[SoundKind::ContraGol];
    CheckBoxSonidosOtroGol = CheckBoxSonidosKind[SoundKind::OtroGol];
    CheckBoxSonidosOcasion = CheckBoxSonidosKind[SoundKind::Ocasion];
    CheckBoxSonidosInicioPartido = CheckBoxSonidosKind[SoundKind::InicioPartido];
    CheckBoxSonidosFinPartido = CheckBoxSonidosKind[SoundKind::FinPartido];
    CheckBoxSonidosTarjeta = CheckBoxSonidosKind[SoundKind::Tarjeta];
    CheckBoxSonidosLesion = CheckBoxSonidosKind[SoundKind::Lesion];
    SpinEditMiGol = SpinEdit[SoundKind::MiGol];
    SpinEditContraGol = SpinEdit[SoundKind::ContraGol];
    SpinEditOtroGol = SpinEdit[SoundKind::OtroGol];
    SpinEditOcasion = SpinEdit[SoundKind::Ocasion];
    SpinEditInicioPartido = SpinEdit[SoundKind::InicioPartido];
    SpinEditFinPartido = SpinEdit[SoundKind::FinPartido];
    SpinEditTarjeta = SpinEdit[SoundKind::Tarjeta];
    SpinEditLesion = SpinEdit[SoundKind::Lesion];
    return GroupBoxSonidos;
}

QWidget* TFOptions::CreateFavouritesPages() {
    PageControlFavoritos = Named(new QTabWidget(this), "PageControlFavoritos");

    TabSheetFavoritos = Named(new QWidget, "TabSheetFavoritos");
    auto* fav = new QGridLayout(TabSheetFavoritos);
    LabelFavoritosGrupo = NewLabel("LabelFavoritosGrupo", TabSheetFavoritos);
    LabelFavoritosEquipo = NewLabel("LabelFavoritosEquipo", TabSheetFavoritos);
    LabelFavoritosTeamID = NewLabel("LabelFavoritosTeamID", TabSheetFavoritos);
    ListBoxFavoritosGrupo = Named(new QListWidget(TabSheetFavoritos), "ListBoxFavoritosGrupo");
    ListBoxFavoritosEquipo = Named(new QListWidget(TabSheetFavoritos), "ListBoxFavoritosEquipo");
    EditFavoritosTeamID = NewEdit("EditFavoritosTeamID", TabSheetFavoritos);
    EditFavoritosTeamID->setEnabled(false);
    ButtonFavoritosBorrar = Named(new QPushButton(TabSheetFavoritos), "ButtonFavoritosBorrar");
    ButtonFavoritosBorrar->setEnabled(false);
    // Each caption sits right above its control; the two lists take the page's spare height.
    fav->addWidget(LabelFavoritosGrupo, 0, 0);
    fav->addWidget(LabelFavoritosEquipo, 0, 1);
    fav->addWidget(LabelFavoritosTeamID, 0, 2);
    fav->addWidget(ListBoxFavoritosGrupo, 1, 0, 3, 1);
    fav->addWidget(ListBoxFavoritosEquipo, 1, 1, 3, 1);
    fav->addWidget(EditFavoritosTeamID, 1, 2);
    fav->addWidget(ButtonFavoritosBorrar, 2, 2);
    fav->setRowStretch(3, 1);
    fav->setVerticalSpacing(4);

    GroupBoxFavoritosAnadir = Named(new QGroupBox(TabSheetFavoritos), "GroupBoxFavoritosAnadir");
    auto* add = new QGridLayout(GroupBoxFavoritosAnadir);
    LabelFavoritosGrupoAnadir = NewLabel("LabelFavoritosGrupoAnadir", GroupBoxFavoritosAnadir);
    LabelFavoritosTeamIDAnadir = NewLabel("LabelFavoritosTeamIDAnadir", GroupBoxFavoritosAnadir);
    ComboBoxFavoritosGrupoAnadir =
        Named(new QComboBox(GroupBoxFavoritosAnadir), "ComboBoxFavoritosGrupoAnadir");
    ComboBoxFavoritosGrupoAnadir->setEditable(true);
    ComboBoxFavoritosGrupoAnadir->setInsertPolicy(QComboBox::NoInsert);
    EditFavoritosEquipoAnadir = NewEdit("EditFavoritosEquipoAnadir", GroupBoxFavoritosAnadir);
    // A team ID is decimal digits; nothing else can be typed.
    EditFavoritosEquipoAnadir->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,9}")), EditFavoritosEquipoAnadir));
    ButtonFavoritosAnadir = Named(new QPushButton(GroupBoxFavoritosAnadir), "ButtonFavoritosAnadir");
    ButtonFavoritosAnadir->setEnabled(false);
    add->addWidget(LabelFavoritosGrupoAnadir, 0, 0);
    add->addWidget(ComboBoxFavoritosGrupoAnadir, 1, 0);
    add->addWidget(LabelFavoritosTeamIDAnadir, 0, 1);
    add->addWidget(EditFavoritosEquipoAnadir, 1, 1);
    add->addWidget(ButtonFavoritosAnadir, 1, 2);
    // The group name is typed or chosen: it gets as much room as the team ID.
    ComboBoxFavoritosGrupoAnadir->setMinimumWidth(180);
    add->setColumnStretch(0, 1);
    add->setColumnStretch(1, 1);
    add->setVerticalSpacing(2);
    fav->addWidget(GroupBoxFavoritosAnadir, 4, 0, 1, 3);
    fav->setColumnStretch(0, 1);
    fav->setColumnStretch(1, 1);

    TabSheetListaGrabada = Named(new QWidget, "TabSheetListaGrabada");
    auto* rec = new QGridLayout(TabSheetListaGrabada);
    ViewListaGrabada = Named(new StringGridView(&datos_.BKStringGridListaGrabada, TabSheetListaGrabada),
                             "BKStringGridListaGrabada");
    ComboBoxListaGrabada = Named(new QComboBox(TabSheetListaGrabada), "ComboBoxListaGrabada");
    // Chosen from the favourites, or set by a click on a row of the list (whose team may no longer be
    // a favourite).
    ComboBoxListaGrabada->setEditable(true);
    ComboBoxListaGrabada->setInsertPolicy(QComboBox::NoInsert);
    BitBtnListaAnadir = Named(new QPushButton(TabSheetListaGrabada), "BitBtnListaAnadir");
    BitBtnListaBorrar = Named(new QPushButton(TabSheetListaGrabada), "BitBtnListaBorrar");
    rec->addWidget(ViewListaGrabada, 0, 0, 4, 1);
    rec->addWidget(ComboBoxListaGrabada, 0, 1);
    rec->addWidget(BitBtnListaAnadir, 1, 1);
    rec->addWidget(BitBtnListaBorrar, 2, 1);
    rec->setRowStretch(3, 1);
    rec->setColumnStretch(0, 1);

    PageControlFavoritos->addTab(TabSheetFavoritos, QString());
    PageControlFavoritos->addTab(TabSheetListaGrabada, QString());
    return PageControlFavoritos;
}

void TFOptions::ConnectHandlers() {
    // The language change ends the program: only the user's choice runs it.
    connect(ComboBoxIdioma, &QComboBox::activated, this, [this](int) { ComboBoxIdiomaChange(); });

    // Check boxes run their handler on every change of state, also from code (LoadingOptions keeps
    // the loading from writing settings).
    connect(CheckBoxSonidos, &QCheckBox::toggled, this,
            [this](bool) { CheckBoxSonidosClick(CheckBoxSonidos); });
    for (QCheckBox* box : CheckBoxSonidosKind)
        connect(box, &QCheckBox::toggled, this, [this, box](bool) { CheckBoxSonidosClick(box); });

    // An edit's change handler runs also when code sets its text.
    connect(EditFavoritosTeamID, &QLineEdit::textChanged, this, [this] { EditFavoritosTeamIDChange(); });

    connect(EditFavoritosEquipoAnadir, &QLineEdit::textChanged, this,
            [this] { EditFavoritosEquipoAnadirChange(); });
    connect(ButtonFavoritosBorrar, &QPushButton::clicked, this, [this] { ButtonFavoritosBorrarClick(); });
    connect(ButtonFavoritosAnadir, &QPushButton::clicked, this, [this] { ButtonFavoritosAnadirClick(); });
    connect(BitBtnListaAnadir, &QPushButton::clicked, this, [this] { BitBtnListaAnadirClick(); });
    connect(BitBtnListaBorrar, &QPushButton::clicked, this, [this] { BitBtnListaBorrarClick(); });
    // A click on a row or a move to it with the keyboard.
    connect(ViewListaGrabada, &StringGridView::Click, this, [this] { BKStringGridListaGrabadaClick(); });

    // Selections made by the user; code that selects calls the handler itself.
    connect(ListBoxFavoritosGrupo, &QListWidget::currentRowChanged, this,
            [this] { ListBoxFavoritosGrupoClick(); });
    connect(ListBoxFavoritosEquipo, &QListWidget::currentRowChanged, this,
            [this] { ListBoxFavoritosEquipoClick(); });
    connect(ComboBoxListaGrabada, &QComboBox::currentTextChanged, this,
            [this] { ComboBoxListaGrabadaChange(); });

    // The sound page's buttons and durations.
    ConnectSoundHandlers();
}
