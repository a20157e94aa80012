#pragma once
// TFDialogoInicioEquipo: the first-run dialog. The new user types the game's user name and security code
// (and, when needed, a proxy) and connects; the dialog logs in once, fetches the user's team and the
// world details into DialogoResultado, logs out and ends with "OK". A failed login or download says why
// and leaves the dialog open for another try; the abort button, Esc and closing give the first run up.
#include "core/FirstRun.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The result of the latest successful connect of the dialog (kept for the rest of the run).
extern TDialogoResultado DialogoResultado;

class TFDialogoInicioEquipo : public QDialog {
    Q_OBJECT
public:
    explicit TFDialogoInicioEquipo(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr; // the small icon beside the question
    QLabel* Label1 = nullptr; // the question about the security code
    QLabel* Label2 = nullptr; // its explanation
    QLabel* LabelUsuario = nullptr;
    QLineEdit* EditUsuario = nullptr;
    QLabel* LabelPassword = nullptr;
    QLineEdit* EditPassword = nullptr; // the security code, shown as "*"
    QPushButton* BitBtnConectar = nullptr;
    QPushButton* BitBtn2 = nullptr; // abort
    QGroupBox* GroupBoxProxy = nullptr;
    QCheckBox* CheckBoxProxy = nullptr;
    QLabel* LabelProxyServer = nullptr;
    QLineEdit* EditProxyServer = nullptr;
    QLabel* LabelProxyPort = nullptr;
    QLineEdit* EditProxyPort = nullptr;
    QLabel* LabelProxyUserName = nullptr;
    QLineEdit* EditProxyUserName = nullptr;
    QLabel* LabelProxyPassword = nullptr;
    QLineEdit* EditProxyPassword = nullptr;

    void FormCreate();
    void LeerIdioma();
    // The connect button is enabled exactly when user name and security code are both typed.
    void EditUsuarioChange();
    // The four proxy edits follow the check box.
    void CheckBoxProxyClick();
    // The key typed into the port edit: digits only while the number stays at most 2000000.
    QChar EditProxyPortKeyPress(QChar Key);
    // Login, the team and world details into DialogoResultado, logout; "OK" when all was read.
    void BitBtnConectarClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The team and world files into the record; false (after saying why) when one was not read.
    bool DescargarDatosUsuario();
};

// Created at start with the other windows; the first run shows a fresh one.
extern TFDialogoInicioEquipo* FDialogoInicioEquipo;
