#pragma once
// TFOptions: the options window. It shows the user's data, the language choice, the event sounds, the
// favourite teams and the recorded list, and it owns every data table of the program.
//
// Tables: the window holds one DataStore. Other windows reach a table through the accessor named as
// the table, which returns the table itself:
//     FOptions->BKStringGrid10Partidos().Cells(MatchColumn::MatchId, slot)
//     FOptions->BKStringGridEventos(slot).RowCount()
// Datos() gives the whole store to code that works on it as a unit.
//
// The methods are split by concern: UOptions.cpp (controls and layout), UOptionsLoad.cpp
// (loading at start, LeerIni, GuardarDatos, SalvarTabla), UOptionsTexts.cpp (LeerIdioma),
// UOptionsLists.cpp (the favourites group lists and the recorded-list buttons the loading runs),
// UOptionsFavoritos.cpp (the favourites and recorded-list pages' buttons),
// UOptionsSonidos*.cpp (the sound player, the sound page's handlers and the language change).
// The controls' headers are included, so that other windows can use the controls directly.
#include "core/DataStore.h"
#include "platform/MediaPlayer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

class StringGridView;

// Sound kinds in the order of the rows on the sounds page. The row of the sound table each kind is
// stored in is SoundRowOf(kind).
namespace SoundKind {
enum Value : int {
    MiGol = 0,
    ContraGol = 1,
    OtroGol = 2,
    Ocasion = 3,
    InicioPartido = 4,
    FinPartido = 5,
    Tarjeta = 6,
    Lesion = 7,
};
constexpr int Count = 8;
// "MiGol", "ContraGol", ...: the part of the settings keys Sonidos<kind> and DuracionSonidos<kind>.
QString Name(int kind);
// The row of BKStringGridSonidos that holds the kind's file.
SoundRow::Value Row(int kind);
// The file shipped for the kind, relative to the program folder ("sounds/GoalMine.wav", ...).
QString DefaultFile(int kind);
} // namespace SoundKind

// The display names of the language list, in the order whose index the settings store as Idioma.
const QStringList& LanguageDisplayNames();

// Order of the sorted list controls: case-insensitive, punctuation before digits before letters (so
// the all-groups entry "[All]" comes first); texts equal but for case keep a fixed order.
bool ListTextLess(const QString& a, const QString& b);

class TFOptions : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and runs FormCreate (the loading at start). The settings and language
    // objects and AppDir must be open already.
    explicit TFOptions(QWidget* parent = nullptr);
    ~TFOptions() override;

    // --- tables ---
    DataStore& Datos() { return datos_; }
    TBKStringGrid& BKStringGrid10Partidos() { return datos_.BKStringGrid10Partidos; }
    TBKStringGrid& BKStringGridEventos(MatchSlot s) { return datos_.BKStringGridEventos(s); }
    TBKStringGrid& BKStringGridFEventos(MatchSlot s) { return datos_.BKStringGridFEventos(s); }
    TBKStringGrid& BKStringGridEventosPanel() { return datos_.BKStringGridEventosPanel; }
    TBKStringGrid& BKStringGridTemp() { return datos_.BKStringGridTemp; }
    TBKStringGrid& BKStringGridTemp2() { return datos_.BKStringGridTemp2; }
    TBKStringGrid& BKStringGridFavoritos() { return datos_.BKStringGridFavoritos; }
    TBKStringGrid& BKStringGridListaGrabada() { return datos_.BKStringGridListaGrabada; }
    TBKStringGrid& BKStringGridEventsData() { return datos_.BKStringGridEventsData; }
    TBKStringGrid& BKStringGridSonidos() { return datos_.BKStringGridSonidos; }

    // --- user data ---
    QGroupBox* GroupBox1 = nullptr;      // team start
    QGroupBox* GroupBoxTiempo = nullptr; // current data
    QLineEdit* EditUsuario = nullptr;
    QLineEdit* EditUsuarioID = nullptr;
    QLineEdit* EditTeam = nullptr;
    QLineEdit* EditTeamID = nullptr;
    QLineEdit* EditTeamIDJuveniles = nullptr; // hidden; filled by the first run and the connect
    QLineEdit* EditPais = nullptr;
    QLineEdit* EditMoneda = nullptr;
    QLineEdit* EditLigaID = nullptr;     // hidden
    QLineEdit* EditLigaNombre = nullptr; // hidden
    QLabel* LabelUsuario = nullptr;
    QLabel* LabelUsuarioID = nullptr;
    QLabel* LabelTeam = nullptr;
    QLabel* LabelTeamID = nullptr;
    QLabel* LabelSupporter = nullptr; // hidden
    QLabel* LabelPais = nullptr;
    QLabel* LabelMoneda = nullptr;
    QLabel* LabelLigaID = nullptr;     // hidden
    QLabel* LabelLigaNombre = nullptr; // hidden
    // Values shown in the two group boxes, and their captions.
    QLabel* LabelInicioFecha = nullptr;
    QLabel* LabelInicioTemporada = nullptr;
    QLabel* LabelInicioSemana = nullptr;
    QLabel* LabelFecha = nullptr;
    QLabel* LabelTemporada = nullptr;
    QLabel* LabelSemana = nullptr;
    QLabel* LabelTituloInicioFecha = nullptr;
    QLabel* LabelTituloInicioTemporada = nullptr;
    QLabel* LabelTituloInicioSemana = nullptr;
    QLabel* LabelTituloFecha = nullptr;
    QLabel* LabelTituloTemporada = nullptr;
    QLabel* LabelTituloSemana = nullptr;

    // --- language ---
    QLabel* LabelIdioma = nullptr;
    QComboBox* ComboBoxIdioma = nullptr; // its change handler runs on the user's choice only

    // --- sounds (arrays indexed by SoundKind) ---
    QGroupBox* GroupBoxSonidos = nullptr;
    QCheckBox* CheckBoxSonidos = nullptr; // master switch
    QLabel* LabelDuracion = nullptr;
    QLabel* LabelMilisegundos = nullptr;
    QLineEdit* EditSonidoMiGol = nullptr;
    QLineEdit* EditSonidoContraGol = nullptr;
    QLineEdit* EditSonidoOtroGol = nullptr;
    QLineEdit* EditSonidoOcasion = nullptr;
    QLineEdit* EditSonidoInicioPartido = nullptr;
    QLineEdit* EditSonidoFinPartido = nullptr;
    QLineEdit* EditSonidoTarjeta = nullptr;
    QLineEdit* EditSonidoLesion = nullptr;
    QCheckBox* CheckBoxSonidosMiGol = nullptr;
    QCheckBox* CheckBoxSonidosContraGol = nullptr;
    QCheckBox* CheckBoxSonidosOtroGol = nullptr;
    QCheckBox* CheckBoxSonidosOcasion = nullptr;
    QCheckBox* CheckBoxSonidosInicioPartido = nullptr;
    QCheckBox* CheckBoxSonidosFinPartido = nullptr;
    QCheckBox* CheckBoxSonidosTarjeta = nullptr;
    QCheckBox* CheckBoxSonidosLesion = nullptr;
    QSpinBox* SpinEditMiGol = nullptr;
    QSpinBox* SpinEditContraGol = nullptr;
    QSpinBox* SpinEditOtroGol = nullptr;
    QSpinBox* SpinEditOcasion = nullptr;
    QSpinBox* SpinEditInicioPartido = nullptr;
    QSpinBox* SpinEditFinPartido = nullptr;
    QSpinBox* SpinEditTarjeta = nullptr;
    QSpinBox* SpinEditLesion = nullptr;
    // SpeedSonido1..8 choose a file, SpeedTest1..8 play it; index = the number - 1.
    std::array<QToolButton*, SoundKind::Count> SpeedSonido{};
    std::array<QToolButton*, SoundKind::Count> SpeedTest{};
    // The same controls by kind.
    std::array<QLineEdit*, SoundKind::Count> EditSonido{};
    std::array<QCheckBox*, SoundKind::Count> CheckBoxSonidosKind{};
    std::array<QSpinBox*, SoundKind::Count> SpinEdit{};
    std::array<QLabel*, SoundKind::Count> LabelSonido{}; // row labels

    // --- favourites and recorded list ---
    QTabWidget* PageControlFavoritos = nullptr;
    QWidget* TabSheetFavoritos = nullptr;
    QWidget* TabSheetListaGrabada = nullptr;
    QLabel* LabelFavoritosGrupo = nullptr;
    QLabel* LabelFavoritosEquipo = nullptr;
    QLabel* LabelFavoritosTeamID = nullptr;
    QListWidget* ListBoxFavoritosGrupo = nullptr;  // sorted
    QListWidget* ListBoxFavoritosEquipo = nullptr; // sorted
    QLineEdit* EditFavoritosTeamID = nullptr;      // disabled
    QPushButton* ButtonFavoritosBorrar = nullptr;
    QGroupBox* GroupBoxFavoritosAnadir = nullptr;
    QLabel* LabelFavoritosGrupoAnadir = nullptr;
    QLabel* LabelFavoritosTeamIDAnadir = nullptr;
    QComboBox* ComboBoxFavoritosGrupoAnadir = nullptr; // sorted, typed or chosen
    QLineEdit* EditFavoritosEquipoAnadir = nullptr;
    QPushButton* ButtonFavoritosAnadir = nullptr;
    StringGridView* ViewListaGrabada = nullptr; // shows BKStringGridListaGrabada
    QComboBox* ComboBoxListaGrabada = nullptr;  // sorted
    QPushButton* BitBtnListaAnadir = nullptr;
    QPushButton* BitBtnListaBorrar = nullptr;

    // --- the invisible panel with the hidden tables that have a view ---
    QWidget* PanelDatos = nullptr;
    StringGridView* ViewFavoritos = nullptr;

    // The loading at start: tables from their files (each load guarded on its own), the recorded-list
    // chooser, the settings into the controls, the texts, the favourites group lists.
    void FormCreate();
    // Settings into the controls. Runs no handler a user change would run, except the sound check
    // boxes' (whose writes LoadingOptions stops).
    void LeerIni();
    // User name into the settings (memory), the eight sound edits into the sound table and its file.
    void GuardarDatos();
    // Saves a table to FileName under the program folder (the table keeps FileName); errors are
    // swallowed. Returns whether the file was written.
    bool SalvarTabla(TBKStringGrid& Grid, const QString& FileName);
    // Every caption of the window from the language file, with its English default.
    void LeerIdioma();
    // Sound edits left empty (a fresh sound table) get the shipped file of their kind.
    void CompletarSonidosVacios();

    // Favourites page: both group lists rebuilt, then the teams of the selected group.
    void CompletarGrupoFavoritos();
    void ListBoxFavoritosGrupoClick();
    void ListBoxFavoritosEquipoClick();
    void EditFavoritosTeamIDChange();
    // Removes the first favourite whose ID is the one shown, saves the table, rebuilds the lists.
    void ButtonFavoritosBorrarClick();
    // The add button wants a team ID of decimal digits.
    void EditFavoritosEquipoAnadirChange();
    // Adds the team of the typed ID to the chosen group: downloaded at once while connected, else
    // through the add-favourite dialog. Then the table is saved, the ID emptied, the lists rebuilt.
    void ButtonFavoritosAnadirClick();
    // Recorded-list page: the put and clear buttons follow the chosen team and the selected row.
    void ComboBoxListaGrabadaChange();
    // Puts the chosen favourite into the selected row when it is free; saves the list.
    void BitBtnListaAnadirClick();
    // Frees the row that holds the chosen team (found by name); saves the list.
    void BitBtnListaBorrarClick();
    // A click on a row in use chooses its team.
    void BKStringGridListaGrabadaClick();
    // Removes row Row of Grid: the rows below move up and the table loses its last row.
    void DeleteRow(TBKStringGrid& Grid, int Row);
    // Sound check boxes: writes the nine switches unless the window is loading; the master switch
    // enables the eight boxes of the kinds.
    void CheckBoxSonidosClick(QCheckBox* Sender);
    // The language change: validates the choice, stores it and ends the program, which starts again in
    // the new language; a language whose file is missing is refused and the combo shows the current one
    // again. Runs on the user's choice only, never when code sets the combo.
    virtual void ComboBoxIdiomaChange();

    // "[" + General/LabelAll + "]": the entry of the group lists that stands for every group.
    static QString AllGroupsEntry();

    // ---- sound player and language change (UOptionsSonidos.cpp) ----
    // The Duration every caller passes to EjecutarSonido; each kind plays for its own spin edit.
    static constexpr int DefaultSoundDuration = 1500;
    // The sound chosen for one call: the kind of the row (-1: none), its file, how long it plays and
    // whether its switch lets it play.
    struct SonidoElegido {
        int Kind = -1;
        QString FileName;
        int Duration = 0;
        bool Play = false;
    };
    // The choice of EjecutarSonido for an event (Kind = category code, Key = event key, Third = sound
    // team) or a test (Kind "Test", Key = the name of the row's file edit, Third = its file). The
    // master switch is not consulted here.
    SonidoElegido ElegirSonido(const QString& Kind, const QString& Key, const QString& Third,
                               int Duration) const;
    // Plays the sound of an event (unless the master switch is off) or a test, and blocks for the
    // kind's duration while window messages are processed; then the sound is cut off. Never throws.
    void EjecutarSonido(const QString& Kind, const QString& Key, const QString& Third, int Duration);
    // The sound page: choose a file (SpeedSonido1..8), test it (SpeedTest1..8), the durations.
    void SpeedSonido1Click(QObject* Sender);
    void SpeedTest1Click(QObject* Sender);
    void SpinEditMiGolChange(QObject* Sender);
    void ConnectSoundHandlers();
    // The hidden media player the sounds play through.
    MediaPlayer MediaPlayer1;
    // The open-file dialog of the choose buttons: gets the title and filter, returns the chosen file
    // or "" when cancelled. Empty: the real dialog.
    std::function<QString(const QString& Title, const QString& Filter)> OpenDialog1;
    // How the language change ends the program. Empty: the main window's shutdown routine.
    std::function<void()> LanguageChangeShutdown;

private:
    bool sonando_ = false; // a sound is playing: a test clicked meanwhile is ignored

private:
    void CreateControls();
    QWidget* CreateUserPage();
    QWidget* CreateSoundsBox();
    QWidget* CreateFavouritesPages();
    void ConnectHandlers();
    void FillListaGrabadaChooser();

    DataStore datos_;
};

extern TFOptions* FOptions;
