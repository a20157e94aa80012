#pragma once
// TFBajarAccesorio: the small login dialog the options window opens to add a favourite team while the
// program is not connected. It logs in with the matches window's user name and security code (which
// the user may change here), downloads the team, hands its name and ID back in BajarResultado, logs
// out and ends with "OK". A failed login or download says why and leaves the dialog open.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The only action the dialog knows: add a team to the favourites.
inline const QString AccionAnadirEquipoFavoritos = QStringLiteral("Añadir equipo favoritos");

// What the caller asks of the dialog, and the team it downloaded.
struct TBajarResultado {
    QString Team;
    QString TeamID;
};
extern QString BajarAccion;
extern QString BajarTeamID;
extern TBajarResultado BajarResultado;

class TFBajarAccesorio : public QDialog {
    Q_OBJECT
public:
    explicit TFBajarAccesorio(QWidget* parent = nullptr);

    QLabel* LabelUsuario = nullptr;
    QLineEdit* EditUsuario = nullptr;
    QLabel* LabelPassword = nullptr;
    QLineEdit* EditPassword = nullptr; // the security code, shown as "*"
    QPushButton* BitBtnConectar = nullptr;
    QPushButton* BitBtn2 = nullptr; // abort

    // The matches window's user name and security code into the edits, then the texts.
    void FormCreate();
    void LeerIdioma();
    void EditUsuarioChange();
    // Login, the requested action, logout; "OK" when the team was stored.
    void BitBtnConectarClick();
    // Downloads team TeamID into BajarResultado (emptied first); true when a team was stored.
    bool AnadirEquipoFavoritos(const QString& TeamID);
};

// Created at start with the other windows; each add shows a fresh one.
extern TFBajarAccesorio* FBajarAccesorio;
