#pragma once
// TFPartidos: the matches window. Connection panel, the ten match tabs and everything shown for the
// followed matches. Its methods are split over several files by concern:
//   UPartidos.cpp          creation and layout of the panels
//   UPartidosConexion.cpp  the connection panel: login fields, proxy settings and their file
//   UPartidosTextos.cpp    the window's texts in the user's language
#include "core/BKStringGrid.h"
#include "core/ReplayProgress.h"
#include "platform/FileStamp.h"
#include "platform/HttpClient.h"

#include <QHash>
#include <QMap>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class Gauge;
class RadioGroup;
class RichEdit;

class TFPartidos : public QWidget {
    Q_OBJECT
public:
    explicit TFPartidos(QWidget* parent = nullptr);
    ~TFPartidos() override;

    // --- the two full-client panels: connection first, match view after a successful connect ---
    QFrame* PanelConexion = nullptr;
    QFrame* PanelPartidos = nullptr;

    // --- connection panel ---
    QFrame* PanelCentro = nullptr; // login and proxy controls
    QLabel* LabelUsuario = nullptr;
    QLineEdit* EditUsuario = nullptr;
    QLabel* LabelPassword = nullptr;
    QLineEdit* EditPassword = nullptr; // the security code, shown as "*"
    QPushButton* BitBtnConectar = nullptr;
    QCheckBox* CheckBoxPassword = nullptr; // remember the security code in the proxy file
    QGroupBox* GroupBoxProxy = nullptr;
    QCheckBox* CheckBoxProxy = nullptr;
    QLabel* Label3 = nullptr; // proxy server
    QLineEdit* EditProxyServer = nullptr;
    QLabel* Label4 = nullptr; // proxy port
    QLineEdit* EditProxyPort = nullptr;
    QLabel* Label5 = nullptr; // proxy user name
    QLineEdit* EditProxyUserName = nullptr;
    QLabel* Label6 = nullptr; // proxy password
    QLineEdit* EditProxyPassword = nullptr;
    QFrame* PanelAbajo = nullptr;                 // the two radio groups
    RadioGroup* RadioGroupTipoPartidos = nullptr; // 0 live matches, 1 recorded matches
    RadioGroup* RadioGroupCargaInicial = nullptr; // initial load: 0 team, 1 league, 2 list, 3 league + list
    QFrame* PanelMensajes = nullptr;
    QLabel* Label7 = nullptr;               // message line
    QPlainTextEdit* MemoConexion = nullptr; // progress and error lines of the connect
    Gauge* GaugeConexion = nullptr;         // progress 0..100

    // The stored connection settings (rows: ProxyRow), file data/ProxyConfig.dat, scrambled.
    TBKStringGrid BKStringGridProxy;

    // --- match view ---
    QTabBar* TabControlPartidos = nullptr; // the ten match tabs "1".."10"; tab index = match slot
    QFrame* PanelAnadirEquipo = nullptr;   // the add panel of an empty slot
    QFrame* PanelPartido = nullptr;        // the view of the shown match
    QFrame* PanelLiga = nullptr;           // league round, table and scorers
    QFrame* PanelEventos = nullptr;        // the events panel
    RichEdit* RichEditEventosPanel = nullptr;
    QFrame* PanelTiempo = nullptr; // the polling clock and replay controls

    // The match tab shown before the current one (set before every rebuild).
    int PrevTab = 0;
    // Runs of TabControlPartidosChange, so that callers can check they rebuild exactly once.
    int RebuildCount = 0;
    // Runs of BitBtnConectarClick (the button, Enter in the code field).
    int ConnectCount = 0;

    // Creation steps: texts, panels, positions, user name, proxy file, starting choices.
    void FormCreate();
    // Writes the proxy table from the controls and saves it; failures are ignored.
    void GuardarDatos();
    // Loads the proxy table and fills the controls; a missing or bad file leaves them as they are.
    void CompletarProxy();
    void CheckBoxProxyClick();
    // The key typed into the port field: digits only while the number stays at most 2000000.
    QChar EditProxyPortKeyPress(QChar Key);
    void EditUsuarioChange();
    // Enter in the code field: runs the connect button while it is enabled. True when the key was used.
    bool EditPasswordKeyPress(QChar Key);
    void CheckBoxPasswordClick();
    void RadioGroupTipoPartidosClick();
    void FormClose();
    // The connect sequence.
    void BitBtnConectarClick();
    // The proxy settings for the game-service client: none unless "Use proxy" is checked.
    HttpProxyParams ProxyParamsFromControls() const;

    // Rebuilds the view of the selected match tab from the tables.
    void TabControlPartidosChange();
    // Refills the favourites selector of the add panel.
    void CompletarGrupoFavoritos();
    void LeerIdioma();

    // Each concern below keeps its controls and methods in its own block (and its own .cpp file).
    // ---- connecting and initial load; adding and removing matches (UPartidosCarga.cpp) ----
    // Slot lookups. The slot 0..9 whose MatchId equals MatchId (the lowest); none for an empty ID or
    // a match no slot holds: callers leave that match aside.
    std::optional<int> SeleccionarFila10Partidos(const QString& MatchId);
    TBKStringGrid& SeleccionarTablaEventos(int Slot);  // above 9: slot 9's table
    TBKStringGrid& SeleccionarTablaFEventos(int Slot); // above 9: slot 9's table
    QLabel* SeleccionarImagenTab(int Slot);            // ImageTab<Slot+1>; above 8: ImageTab10
    // The new-event markers of the ten tabs (ImageTab1..ImageTab10), made by CreateImageTabs.
    QLabel* ImageTab1 = nullptr;
    QLabel* ImageTab2 = nullptr;
    QLabel* ImageTab3 = nullptr;
    QLabel* ImageTab4 = nullptr;
    QLabel* ImageTab5 = nullptr;
    QLabel* ImageTab6 = nullptr;
    QLabel* ImageTab7 = nullptr;
    QLabel* ImageTab8 = nullptr;
    QLabel* ImageTab9 = nullptr;
    QLabel* ImageTab10 = nullptr;
    // The title of the match view: the chosen match type, white for live, light yellow for recorded.
    QLabel* LabelTipoPartido = nullptr;
    // Makes ImageTab1..10 and LabelTipoPartido (once; the lookups make them when still missing).
    void CreateImageTabs();
    // True while the connect sequence runs: a second press or Enter meanwhile is ignored.
    bool ConnectRunning = false;
    // True while an add runs: a second add meanwhile is ignored.
    bool AddRunning = false;
    // The team's next (not finished) match into row SlotText ("0".."9") of the match table.
    void BuscarProximoPartido(const QString& TeamId, const QString& SlotText);
    // Recorded-list rows FirstRow..10 into slots FirstRow-1..9.
    void BuscarPartidosListaGrabada(unsigned FirstRow);
    // Empties the service's live list.
    void BorrarTodosPartidos();
    // Adds every filled slot to the service's live list and fills it.
    void PartidosIniciales();
    // True after a live answer that was not read (a failed registration or poll). The service may have
    // counted its events as sent, or not have listed the match, so viewNew would never bring them: the
    // next poll first adds the followed matches again (ReanadirPartidosVivos), whose answers give every
    // event so far; the slots store only the events they lack.
    bool VivoIncompleto = false;
    // Slot -> match ID of the initial load's matches whose registration was lost before their team
    // details were fetched: the re-add that registers them fetches those details too.
    QMap<int, QString> DatosEquiposDebidos;
    void ReanadirPartidosVivos();
    void ButtonAnadirPartidoClick();
    void AnadirPartido(const QString& MatchId, int Slot, bool Youth);
    void AnadirPartidoVivo(const QString& MatchId, int Slot, bool Youth);
    void AnadirPartidoFinalizado(const QString& MatchId, int Slot, bool Youth);
    // Removes one match from the service's live list; answer and failures are ignored.
    void BorrarPartidoVivo(const QString& MatchId, bool Youth);
    // ---- add panel and favourites selector (UPartidosAnadir.cpp) ----
    // The add panel of an empty slot: the source (0 favourites, 1 match ID), the favourites selector
    // (group, team, the team's ID), the typed match ID, senior or youth, the add button.
    RadioGroup* RadioGroupAnadir = nullptr;
    class QComboBox* ComboBoxAnadir1 = nullptr;  // group, sorted
    QComboBox* ComboBoxAnadir11 = nullptr;       // team of the chosen group, sorted
    QLineEdit* EditAnadir12 = nullptr;           // team ID of the chosen team, display only
    QLineEdit* EditAnadir2 = nullptr;            // typed match ID
    RadioGroup* RadioGroupEsJuveniles = nullptr; // 0 senior, 1 youth
    QPushButton* ButtonAnadirPartido = nullptr;
    QLineEdit* EditLabel1 = nullptr; // read-only captions above the group, team and team ID fields
    QLineEdit* EditLabel2 = nullptr;
    QLineEdit* EditLabel3 = nullptr;
    QPushButton* ButtonBorrarPartido = nullptr; // on the match view: clears the shown slot
    // The group entry of the user's bookmarks at the game service.
    static QString BookmarksGroupEntry() { return QStringLiteral("[Hattrick Bookmarks]"); }
    QString AllFavouritesEntry() const;
    QString NationalTeamsEntry() const;
    void ComboBoxAnadir1Change();
    void CompletarEquipoFavoritos();
    // What the team selector's list was made from: every rebuild of the view selects in it again, and
    // it is made anew only when the group or the favourites (or bookmarks) it lists changed.
    struct TeamListSource {
        QString Group;
        TBKStringGrid::Stamp Favourites;
        FileStamp Bookmarks;
        bool operator==(const TeamListSource&) const = default;
    };
    std::optional<TeamListSource> TeamListMadeFrom;
    void FillTeamList(const QString& group);
    void ComboBoxAnadir11Change();
    void RadioGroupAnadirClick();
    void EditAnadir2Enter();
    void ComboBoxAnadir1Enter();
    // OnChange of EditAnadir2 and EditAnadir12: the add button is enabled for a number only.
    void EditAnadir2Change(QLineEdit* Sender);
    // Clears the shown slot: its row, its live events, the service's live list; the add panel shows.
    void ButtonBorrarPartidoClick();
    // The add panel back to its starting state (source favourites, last group, nothing chosen, senior).
    // For the view's clearing when another slot is shown; a refresh of the same empty slot keeps it.
    void LimpiarPanelAnadir();
    // The add panel's texts, part of LeerIdioma.
    void LeerIdiomaAnadir();
    // ---- polling clock, replay controls, live events (UPartidosReloj.cpp, UPartidosEventos.cpp) ----
    // The clock: each tick counts EditTiempo down; at "0" a live poll or a replay step runs.
    class QTimer* TimerConexion = nullptr; // 1000 ms; 500/250/100 by the speed bar
    QLabel* Label9 = nullptr;              // caption of the countdown
    QLineEdit* EditTiempo = nullptr;       // the countdown, read-only; "50" when the window is made
    QPushButton* ButtonTiempo = nullptr;   // "now": polls at once
    QPushButton* BitBtnStop = nullptr;     // live pause / continue
    QFrame* PanelVelocidad = nullptr; // recorded mode: speed bar, factor and play/pause (hidden at first)
    class QSlider* TrackBarVelocidad = nullptr; // positions 1..4
    QLabel* LabelVelocidad = nullptr;           // speed factor "1", "2", "4", "10"
    class QToolButton* SpeedButton1 = nullptr;  // replay play/pause; its state is its hint "1", "2", "3"
    // The replay minute shared by all slots, as decimal text; "-1" after a recorded add made before the
    // first replay step.
    QString ReplayMinute = QStringLiteral("-1");
    // The minutes each slot has released: a slot never releases one twice.
    ReplayProgress Replay;
    // True while a poll or a replay step runs: ticks, "now" and play clicks meanwhile are ignored.
    bool PollRunning = false;
    // False while the live clock is paused by BitBtnStop.
    bool RelojEnMarcha = true;
    // Pause and play clicks that came while a poll or replay step ran; they take effect after it.
    int DeferredStopClicks = 0;
    int DeferredPlayClicks = 0;
    // A poll, replay step, connect or add is running (and may be processing window messages).
    bool RelojOcupado() const;
    void RunDeferredClockClicks();
    void TimerConexionTimer();
    void EditTiempoChange();
    void ButtonTiempoClick();
    void BitBtnStopClick();
    void TrackBarVelocidadChange();
    void SpeedButton1Click();
    void DescargaLive();
    void DescargaDiferido();
    // Fetches the three designed kit pictures of a team once (kit codes "X..." and "Z...").
    void DescargarUniformes(const QString& Dress, const QString& TeamID);
    // Stores the new events of the live file, queues them for the events panel and sounds them.
    void EventosPartidos();
    // What EventosPartidos read of the live file for the periodic update that follows it: the
    // answer's time, and the stamp of the file it was read from. The next update takes the time from
    // here while the file keeps that stamp, so that one poll parses the file once.
    struct LiveFileRead {
        FileStamp Stamp;
        QString FetchedDate;
    };
    std::optional<LiveFileRead> LastLiveFileRead;
    // The class string of an event type (the number before "_"); empty when the type is unknown.
    void EventoClase(const QString& EventType, QString& Result);
    // Queues the last stored event of Table (a slot's event table) as an events-panel row. A caller
    // that appends several events to Table passes one Tally for all of them, so that the score is kept
    // running instead of counted over the whole table each time.
    void AnadirPanelEventos(TBKStringGrid& Table, const QString& MatchId, int Slot,
                            class EventTableTally* Tally = nullptr);
    // One new live event as the next row of a slot's table, with its panel row, league goal, third card
    // and tab marker. `stored` gives its EventNumber and the Index its rows carry; `tally` follows
    // the table while the events of one match are stored.
    void StoreLiveEvent(TBKStringGrid& table, const class XmlNode& event, const struct NewLiveEvent& stored,
                        const QString& matchId, int slot, class EventTableTally& tally);
    // The new-events marker of the tabs, read from its file once.
    const QPixmap& NewEventsMarker();
    QPixmap NewEventsMarkerPicture;
    bool NewEventsMarkerLoaded = false;
    // Sounds the panel rows queued from row `mark` on; of consecutive match-end rows only the last.
    void SonarEventos(int mark);
    // ---- periodic update, team and match details (UPartidosActualizar.cpp) ----
    // After every poll, replay step and add: details, minute, end, score, formations, tactics, weather
    // and crowd of each slot's row. Minute: "" live, else the replay minute ("-1" before the first).
    void Actualizar10Partidos(const QString& Minute);
    // After a match was added to Slot: both teams' league, region, last login, logo and web page, and
    // the match type.
    void DescargarDatosEquipos(int Slot);
    // One slot of the periodic update; waited and fetchedDate are shared by the slots of one call.
    void ActualizarPartido(int Slot, const QString& Minute, bool& waited, QString& fetchedDate,
                           bool& fetchedRead);
    // The slot's three end-of-match files (details, home and away lineups): fetched afresh the first
    // time, then only those that did not arrive; EndFilesAsked counts the asks while one is missing.
    void DescargarFicherosFinPartido(int Slot);
    // ---- match view, HTML display, cell drawing (UPartidosVista.cpp) ----
    // Header of the shown match. The captions are read back by other routines: keep them exact.
    QLabel* LabelSumarioEquipos = nullptr;
    QLabel* LabelSumarioResultado = nullptr;
    QLabel* LabelSumarioMinuto = nullptr;
    QLabel* LabelSumarioPartidoID = nullptr;
    QLabel* LabelSumarioEstadio = nullptr;
    QLabel* LabelSumarioFecha = nullptr;
    QLabel* LabelSumarioTipoPartido = nullptr;
    QLabel* LabelSumarioEspectadores = nullptr;
    QLabel* ImageSumarioTiempo = nullptr; // weather picture
    QLabel* ImageUniforme11 = nullptr;    // home shirt, shorts, socks
    QLabel* ImageUniforme12 = nullptr;
    QLabel* ImageUniforme13 = nullptr;
    QLabel* ImageUniforme21 = nullptr; // away shirt, shorts, socks
    QLabel* ImageUniforme22 = nullptr;
    QLabel* ImageUniforme23 = nullptr;
    QLabel* LabelDetallesEquipo1 = nullptr;
    QLabel* LabelDetallesEquipo2 = nullptr;
    QLabel* LabelDetallesEquipoID1 = nullptr;
    QLabel* LabelDetallesEquipoID2 = nullptr;
    QLabel* LabelDetallesRegion1 = nullptr;
    QLabel* LabelDetallesRegion2 = nullptr;
    QLabel* LabelDetallesLiga1 = nullptr;
    QLabel* LabelDetallesLiga2 = nullptr;
    QLabel* LabelDetallesLogin1 = nullptr;
    QLabel* LabelDetallesLogin2 = nullptr;
    QLabel* LabelDetallesWeb1 = nullptr; // clickable: the club's web page
    QLabel* LabelDetallesWeb2 = nullptr;
    QLabel* LabelDetallesFormacion1 = nullptr;
    QLabel* LabelDetallesFormacion2 = nullptr;
    QLabel* LabelDetallesTactica1 = nullptr;
    QLabel* LabelDetallesTactica2 = nullptr;
    QLabel* LabelDetallesNivel1 = nullptr;
    QLabel* LabelDetallesNivel2 = nullptr;
    class WebBrowser* WebBrowserDetalles1 = nullptr; // club logos
    class WebBrowser* WebBrowserDetalles2 = nullptr;
    // Chance counters "N (M)" and their captions.
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* LabelO11 = nullptr;
    QLabel* LabelO12 = nullptr;
    QLabel* LabelO21 = nullptr;
    QLabel* LabelO22 = nullptr;
    QLabel* LabelO31 = nullptr;
    QLabel* LabelO32 = nullptr;
    // The event list: a display grid of its own (11 columns, row 0 captions, an empty last row).
    TBKStringGrid BKStringGridListaEventos;
    class StringGridView* ViewListaEventos = nullptr;
    // What the event list's rows were written with besides the event rows (team IDs of the header,
    // translated words): a refresh keeps rows only when that is unchanged.
    QString ListaEventosContexto;
    class WebBrowser* WebBrowserEvento1 = nullptr; // the selected event
    class QTabWidget* PageControlEventos = nullptr;
    QWidget* TabSheetEventos = nullptr;    // page 0: the commentary page
    QWidget* TabSheetFinPartido = nullptr; // page 1: the end-of-match report (tab hidden until filled)
    class WebBrowser* WebBrowserEventos = nullptr; // the commentary page of the whole match
    // Results of the ten slots: row 2s for slot s, odd rows are spacers.
    TBKStringGrid BKStringGridResultados;
    class StringGridView* ViewResultados = nullptr;

    void TabControlPartidosChanging();
    void ImageTab1Click(int k); // k = 1..10
    void BKStringGridResultadosClick();
    void LimpiarPartido();
    // KeepAddPanel: a refresh of the same empty slot leaves what the user typed in the add panel.
    // KeepHeader: a refresh of the match shown leaves the captions that its fill writes again.
    void LimpiarPartido(bool KeepAddPanel, bool KeepHeader = false);
    // Empties the event list's rows from Row on (Row >= 1), which leaves Row as its empty last row.
    void ClearEventListFrom(int Row);
    void CompletarPartido(int Slot);
    void CompletarPartidoCabecera(int Slot);
    void CompletarUniforme(const QString& Dress, const QString& TeamID, QLabel* Shirt, QLabel* Shorts,
                           QLabel* Socks);
    void CompletarPartidoIzquierda(int Slot);
    void CompletarPartidoEventos(int Slot);
    void CompletarPartidoDerecha(int Slot);
    void BKStringGridListaEventosClick();
    void LabelDetallesWeb1Click(QLabel* Sender);
    // Owner drawing of the event list and the results list, over each cell's normal drawing.
    void BKStringGridListaEventosDrawCell(class QPainter& Canvas, int ACol, int ARow, const class QRect& Rect,
                                          bool Selected);
    void BKStringGridResultadosDrawCell(class QPainter& Canvas, int ACol, int ARow, const class QRect& Rect,
                                        bool Selected);
    // The texts of the match view's own controls, part of LeerIdioma.
    void LeerIdiomaVista();
    // The slot and match of the latest rebuild: a refresh of the same slot after its match changed
    // (removed, replaced) is never skipped, and a refresh of the same empty slot keeps the add panel.
    int ShownSlot = -1;
    QString ShownMatchId;
    bool RebuildRunning = false; // a rebuild is under way; requests meanwhile re-run it once at the end
    bool RebuildPending = false;
    // ---- events panel, recorded-match events (UPartidosPanelEventos.cpp, UPartidosGrabados.cpp) ----
    // The events panel shows the oldest queued event (row 0 of BKStringGridEventosPanel): its match,
    // score, minute, a category icon, a background colour by category and the text, shown both in
    // the browser and in the rich edit (Alt+E reads it). The buttons remove queued events.
    QLabel* ImageEventosPanel = nullptr; // category icon
    QLabel* LabelEventosPanelEquipos = nullptr;
    QLabel* LabelEventosPanelResultado = nullptr;
    QLabel* LabelEventosPanelMinuto = nullptr;
    class WebBrowser* WebBrowserEventosPanel = nullptr;
    QPushButton* ButtonEventoBorrar = nullptr;
    QPushButton* ButtonEventoBorrarPartido = nullptr;
    QPushButton* ButtonEventoBorrarTodos = nullptr;
    QLabel* ImageBorrarEvento = nullptr; // shown while an event is queued
    // Icon file (under the program folder, "" for none) and colour ($BBGGRR, -1 for the button face)
    // of the shown event's category; kept for tests and screenshots.
    QString ImageEventosPanelFile;
    int PanelEventosColor = -1;
    void MostrarEventosPanel();
    void ButtonEventoBorrarClick();
    void ButtonEventoBorrarPartidoClick();
    void ButtonEventoBorrarTodosClick();
    // Removes one row; the rows below move up. The grid keeps at least one row, and a row that cannot
    // be removed (the only one) is blanked instead.
    void DeleteRow(TBKStringGrid& Grid, int Row);
    void LeerIdiomaPanelEventos();
    // The clock panel's texts (countdown caption, "now", pause), part of LeerIdioma.
    void LeerIdiomaReloj();
    // Recorded matches: all events of the added finished match (AddedMatchId; empty takes the first
    // match of the live file) into its slot's recorded-event table.
    void EventosPartidosFinalizadoDescarga(const QString& AddedMatchId = QString());
    // Releases the recorded events of Minute of every slot into the slots' event tables and the events
    // panel, marks the tabs and plays the sounds.
    void EventosPartidosFinalizadoActualizar(const QString& Minute);
    // ---- end-of-match report (UPartidosFin.cpp, UPartidosFinDetalles.cpp, UPartidosFinAlineaciones.cpp,
    // UPartidosFinResumen.cpp) ----
    // The report of a finished match, on TabSheetFinPartido: ratings, the two lineups (one panel moved
    // between the pages) and the chances summary. Rebuilt whole with the view of a finished match.
    // Each page is the widget of a scroll area, the tab's own page.
    class QTabWidget* PageControlFinPartido = nullptr;
    QWidget* TabSheetCalificaciones = nullptr; // page 0
    QWidget* TabSheetAlineacion1 = nullptr;    // page 1: home lineup
    QWidget* TabSheetAlineacion2 = nullptr;    // page 2: away lineup
    QWidget* TabSheetResumenEventos = nullptr; // page 3
    // Ratings page: the ratings grid, the pitch of duels beside the team names, the possession gauges
    // of the two halves with the home and away shares.
    TBKStringGrid BKStringGridDetalles;
    class StringGridView* ViewDetalles = nullptr;
    TBKStringGrid StringGridCampo;
    class StringGridView* ViewCampo = nullptr;
    QLabel* LabelEquipo1 = nullptr;
    QLabel* LabelEquipo2 = nullptr;
    QLabel* Label40 = nullptr; // caption of the gauges
    class ColorGauge* Gauge1 = nullptr;
    class ColorGauge* Gauge2 = nullptr;
    QLabel* LabelPose11 = nullptr;
    QLabel* LabelPose12 = nullptr;
    QLabel* LabelPose21 = nullptr;
    QLabel* LabelPose22 = nullptr;
    // Lineup panel. The repeated controls are indexed by their number: LabelHomePos[5] is LabelHomePos5.
    QFrame* PanelFinAlineacion = nullptr;
    QLabel* LabelMatchID = nullptr;
    QLabel* LabelHomeTeam = nullptr;
    QLabel* LabelHomeFormacion = nullptr;
    QLabel* LabelHomeTactica = nullptr;
    QLabel* LabelHExperiencia = nullptr;
    QLabel* LabelHomeExperiencia = nullptr;
    QLabel* LabelHEstrellas = nullptr;
    QLabel* LabelHomeEstrellas = nullptr;
    QLabel* LabelHomeReplaced = nullptr;
    std::array<QLabel*, 12> PanelHome{};    // 1..11: the box, its caption the player's name
    std::array<QLabel*, 19> LabelHomePos{}; // 1..11 position words; 17, 18 the set-pieces / captain captions
    std::array<QLabel*, 12> LabelHomeColor{};  // 1..11 swatches
    std::array<QLabel*, 22> LabelHomeStar{};   // 1..11, 19..21
    std::array<QLabel*, 22> LabelHomeName{};   // 17..21
    std::array<QLabel*, 22> ImageHome{};       // 1..11, 19..21 star pictures
    std::array<QLabel*, 22> ImageHomeLesion{}; // 19..21 injury pictures
    std::array<QLabel*, 22> LabelHomeLesion{}; // 19..21 injury levels
    // Summary page: a panel per side with the team's name, the captions and the 48 counters, the
    // counters keyed by the number after "LabelR" ("10", "14", "411", ...), the captions likewise.
    QFrame* PanelEventosHome = nullptr;
    QFrame* PanelEventosAway = nullptr;
    QLabel* LabelEventosHomeName = nullptr;
    QLabel* LabelEventosAwayName = nullptr;
    std::array<QLabel*, 7> LabelTitulo{}; // 1..6
    QHash<QString, QLabel*> LabelT;
    QHash<QString, QLabel*> LabelR;

    void CompletarPartidoFinPartido(int Slot);
    void CompletarFinDetalles(int Slot);
    void LimpiarDetalles();
    void FitRatingsColumns(); // the ratings grid's columns as wide as their texts
    void CompletarFinAlineaciones(int Slot);
    // The user chose a page of the report: a lineup page gets the panel, filled with its side.
    void PageControlFinPartidoChange();
    void CompletarFinResumenEventos(int Slot);
    void LimpiarPanelesEventos();
    void CompletarFinFinal(int Slot);
    void BKStringGridDetallesDrawCell(class QPainter& Canvas, int ACol, int ARow, const class QRect& Rect);
    void StringGridCampoDrawCell(class QPainter& Canvas, int ACol, int ARow, const class QRect& Rect);
    void LeerIdiomaFinPartido();
    // The report's pages, made once with the match view.
    void CreatePanelFinPartido();
    void CreatePageCalificaciones();
    void CreatePanelFinAlineacion();
    void CreatePageResumenEventos();
    // The new-version check of the connect (UPartidosVersion.cpp): "New", "No" or "Old". A version
    // page that cannot be read, or no maker's host in the settings, gives "No".
    QString ComprobarNuevaVersion();
    // The time limit of each wait of the version page (connecting, then between bytes), in seconds.
    int VersionTimeoutSec = 5;

    // ---- the user's league: the round at connect (UPartidosCargaLiga.cpp), the league panel
    // (UPartidosLiga.cpp, UPartidosLigaInicial.cpp, UPartidosLigaDibujo.cpp), the live table
    // (UPartidosVistaLiga.cpp) and the round's goals (UPartidosLigaGol.cpp) ----
    // The round of the user's league into slots 0..3: the user's match first when it is in the round.
    // The requests carry no league ID: the service answers for the user's own series.
    void BuscarPartidosLiga(const QString& LeagueUnitId);
    // The players files of the eight clubs (the scorers and the third yellow card read them).
    void DescargarJugadoresLiga();
    // Fills the league panel when slots 0..3 hold the four league matches of the round.
    void ComprobarPanelLiga();
    // True when TeamId plays in a match of the match table (an empty ID: when a row is free).
    bool ExisteEquipo10Partidos(const QString& TeamId);
    // The first row of Grid without a home team ID; 0 when every row has one.
    int PrimerVacioTabla(const TBKStringGrid& Grid);
    // The panel once the round is loaded: series and level, the table before the round, the next
    // round, the scorers and both rankings.
    void CompletarLigaInicial();
    // The live table from the table before the round and the current scores of slots 0..3.
    void ActualizarLiga();
    // Counts one league goal of a player and his team into the scorers and both rankings (Slot unused).
    void ActualizarLigaGol(const QString& PlayerId, const QString& TeamId, int Slot);
    void LeerIdiomaLiga();
    // The panel is hidden until it has a round to show; its tables are shown on the six pages.
    QLabel* LabelLiga = nullptr; // series name and level unit name (service text, plain)
    QLabel* Label1 = nullptr;    // "Level"
    QLabel* LabelNivel = nullptr;
    QLabel* Label2 = nullptr; // "of"
    QLabel* LabelNivelMaximo = nullptr;
    class QTabWidget* PageControlLiga = nullptr;
    QWidget* TabSheetLigaInicial = nullptr;
    QWidget* TabSheetLigaActualizada = nullptr;
    QWidget* TabSheetLigaJornada = nullptr;
    QWidget* TabSheetLigaGoleadores = nullptr;
    QWidget* TabSheetLigaGolesMarcados = nullptr;
    QWidget* TabSheetLigaGolesRecibidos = nullptr;
    QLabel* LabelJornadaNumero = nullptr; // the next round's number and its four fixtures ("---" at first)
    QLabel* LabelJornada1 = nullptr;
    QLabel* LabelJornada2 = nullptr;
    QLabel* LabelJornada3 = nullptr;
    QLabel* LabelJornada4 = nullptr;
    TBKStringGrid BKStringGridLigaInicial;     // the table before the round (LeagueTableColumn)
    TBKStringGrid BKStringGridLigaActualizada; // the live table
    TBKStringGrid BKStringGridLigaGoleadores;  // scorers (GoalListColumn), the last row empty
    TBKStringGrid BKStringGridLigaGolesMarcados;
    TBKStringGrid BKStringGridLigaGolesRecibidos;
    class StringGridView* ViewLigaInicial = nullptr;
    class StringGridView* ViewLigaActualizada = nullptr;
    class StringGridView* ViewLigaGoleadores = nullptr;
    class StringGridView* ViewLigaGolesMarcados = nullptr;
    class StringGridView* ViewLigaGolesRecibidos = nullptr;
    void BKStringGridLigaInicialDrawCell(class QPainter& Canvas, int ACol, int ARow, const class QRect& Rect,
                                         bool Fixed);
    void BKStringGridLigaActualizadaDrawCell(class QPainter& Canvas, int ACol, int ARow,
                                             const class QRect& Rect, bool Fixed);
    void BKStringGridLigaGoleadoresDrawCell(class QPainter& Canvas, int ACol, int ARow,
                                            const class QRect& Rect, bool Fixed);
    void BKStringGridLigaGolesMarcadosDrawCell(class QPainter& Canvas, int ACol, int ARow,
                                               const class QRect& Rect, bool Fixed);
    void BKStringGridLigaGolesRecibidosDrawCell(class QPainter& Canvas, int ACol, int ARow,
                                                const class QRect& Rect, bool Fixed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreatePanelConexion();
    void CreatePanelPartidos();
    void CreatePanelAnadirEquipo(); // UPartidosAnadir.cpp
    void CreatePanelPartido();      // UPartidosVista.cpp
    void CreatePanelLiga();         // UPartidosLiga.cpp
    void CreatePanelEventos();      // UPartidosPanelEventos.cpp
    void CreatePanelTiempo();       // UPartidosReloj.cpp
    void PlacePanels();
};

extern TFPartidos* FPartidos;
