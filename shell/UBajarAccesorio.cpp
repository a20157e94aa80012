#include "shell/UBajarAccesorio.h"

#include "core/FirstRun.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/widgets/Dialogs.h"
#include "shell/ModalDialog.h"
#include "viewer/UPartidos.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

QString BajarAccion;
QString BajarTeamID;
TBajarResultado BajarResultado;
TFBajarAccesorio* FBajarAccesorio = nullptr;

namespace {

QString Text(const char* section, const char* key, const char* englishDefault) {
    return LangText(QString::fromLatin1(section), QString::fromLatin1(key),
                    QString::fromUtf8(englishDefault));
}

} // namespace

TFBajarAccesorio::TFBajarAccesorio(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FBajarAccesorio"));
    // A dialog border without border icons, centred on the screen.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(217, 139);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    LabelUsuario = new QLabel(this);
    LabelUsuario->setGeometry(10, 6, 197, 20);
    EditUsuario = new QLineEdit(this);
    EditUsuario->setGeometry(10, 26, 197, 24);
    LabelPassword = new QLabel(this);
    LabelPassword->setGeometry(10, 54, 197, 20);
    EditPassword = new QLineEdit(this);
    EditPassword->setGeometry(10, 74, 197, 24);
    EditPassword->setEchoMode(QLineEdit::Password);
    LabelUsuario->setBuddy(EditUsuario);
    LabelPassword->setBuddy(EditPassword);
    BitBtnConectar = new QPushButton(this);
    BitBtnConectar->setGeometry(10, 106, 95, 28);
    BitBtnConectar->setDefault(true);
    BitBtnConectar->setEnabled(false);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setGeometry(112, 106, 95, 28);
    BitBtn2->setAutoDefault(false);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    connect(EditUsuario, &QLineEdit::textChanged, this, [this] { EditUsuarioChange(); });
    connect(EditPassword, &QLineEdit::textChanged, this, [this] { EditUsuarioChange(); });
    connect(BitBtnConectar, &QPushButton::clicked, this, [this] { BitBtnConectarClick(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(ModalDialog::ResultAbort); });

    FormCreate();
}

void TFBajarAccesorio::FormCreate() {
    // Setting the texts runs EditUsuarioChange: with both filled the connect button starts enabled.
    if (FPartidos) {
        EditUsuario->setText(FPartidos->EditUsuario->text());
        EditPassword->setText(FPartidos->EditPassword->text());
    }
    LeerIdioma();
}

void TFBajarAccesorio::LeerIdioma() {
    LabelUsuario->setText(Text("General", "LabelUser", "User:"));
    LabelPassword->setText(Text("General", "LabelSecurityCode", "Security Code") + QStringLiteral(":"));
    BitBtnConectar->setText(Text("Connection", "LabelConnect", "Connect"));
    BitBtn2->setText(Text("General", "ButtonAbort", "Abort"));
}

void TFBajarAccesorio::EditUsuarioChange() {
    BitBtnConectar->setEnabled(!EditUsuario->text().isEmpty() && !EditPassword->text().isEmpty());
}

void TFBajarAccesorio::BitBtnConectarClick() {
    QString result;
    ConexionLogin(EditUsuario->text(), EditPassword->text(), result);
    if (result != QLatin1String("OK")) {
        ShowMessage(MessageWithDetail(Text("Connection", "MessageNoConnection", "No connection. "), result));
        return;
    }
    if (BajarAccion != AccionAnadirEquipoFavoritos)
        return;
    const bool stored = AnadirEquipoFavoritos(BajarTeamID);
    QString logout;
    ConexionLogout(logout);
    if (stored)
        done(ModalDialog::ResultOK);
}

bool TFBajarAccesorio::AnadirEquipoFavoritos(const QString& TeamID) {
    // A new download never hands back the team of an earlier one.
    BajarResultado = TBajarResultado{};
    const EquipoDescargado team = DescargarEquipo(TeamID);
    if (!team.Stored) {
        ShowMessage(MessageWithDetail(Text("Connection", "MessageNoDownload", "No download. "), team.Error));
        return false;
    }
    BajarResultado.Team = team.Team;
    BajarResultado.TeamID = team.TeamID;
    ShowMessage(Text("Connection", "MessageDone", "Done.") + QStringLiteral("  ") + team.Team);
    return true;
}
