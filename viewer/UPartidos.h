#pragma once
// TFPartidos: the matches window. Connection panel, the ten match tabs and everything shown for the
// followed matches. Its methods are split over several files by concern:
//   UPartidos.cpp          creation and layout of the panels
//   UPartidosConexion.cpp  the connection panel: login fields, proxy settings and their file
//   UPartidosTextos.cpp    the window's texts in the user's language
#include "core/BKStringGrid.h"
#include "platform/HttpClient.h"

#include <QWidget>
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
    QFrame* PanelAbajo = nullptr; // the two radio groups
    RadioGroup* RadioGroupTipoPartidos = nullptr; // 0 live matches, 1 recorded matches
    RadioGroup* RadioGroupCargaInicial = nullptr; // initial load: 0 team, 1 league, 2 list, 3 league + list
    QFrame* PanelMensajes = nullptr;
    QLabel* Label7 = nullptr; // message line
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreatePanelConexion();
    void CreatePanelPartidos();
    void PlacePanels();
};

extern TFPartidos* FPartidos;
