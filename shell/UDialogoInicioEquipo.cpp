#include "shell/UDialogoInicioEquipo.h"

#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/widgets/Dialogs.h"
#include "shell/ModalDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

TDialogoResultado DialogoResultado;
TFDialogoInicioEquipo* FDialogoInicioEquipo = nullptr;

namespace {

constexpr qint64 MaxProxyPort = 2000000;

QString Text(const char* section, const char* key, const char* englishDefault) {
    return LangText(QString::fromLatin1(section), QString::fromLatin1(key),
                    QString::fromUtf8(englishDefault));
}

template <typename W> W* Placed(W* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLineEdit* NewEdit(QWidget* parent, const char* name, int x, int y, int w, bool secret = false) {
    auto* edit = Placed(new QLineEdit(parent), name, x, y, w, 24);
    if (secret)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QLabel* NewLabel(QWidget* parent, const char* name, int x, int y, int w, QLineEdit* buddy) {
    auto* label = Placed(new QLabel(parent), name, x, y, w, 24);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFDialogoInicioEquipo::TFDialogoInicioEquipo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FDialogoInicioEquipo"));
    // A fixed single border without border icons, above every other window, centred on the screen.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setFixedSize(475, 260);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Image1 = Placed(new QLabel(this), "Image1", 16, 12, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    Label1 = Placed(new QLabel(this), "Label1", 56, 10, 403, 20);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = Placed(new QLabel(this), "Label2", 56, 30, 403, 46);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The explanation is the program's own text: never markup.
    Label1->setTextFormat(Qt::PlainText);
    Label2->setTextFormat(Qt::PlainText);

    EditUsuario = NewEdit(this, "EditUsuario", 136, 82, 170);
    LabelUsuario = NewLabel(this, "LabelUsuario", 16, 82, 116, EditUsuario);
    EditPassword = NewEdit(this, "EditPassword", 136, 112, 170, true);
    LabelPassword = NewLabel(this, "LabelPassword", 16, 112, 116, EditPassword);
    BitBtnConectar = Placed(new QPushButton(this), "BitBtnConectar", 322, 80, 137, 28);
    BitBtnConectar->setDefault(true);
    BitBtnConectar->setEnabled(false);
    BitBtn2 = Placed(new QPushButton(this), "BitBtn2", 322, 112, 137, 28);
    BitBtn2->setAutoDefault(false);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    GroupBoxProxy = Placed(new QGroupBox(this), "GroupBoxProxy", 16, 146, 443, 106);
    CheckBoxProxy = Placed(new QCheckBox(GroupBoxProxy), "CheckBoxProxy", 10, 20, 300, 22);
    EditProxyServer = NewEdit(GroupBoxProxy, "EditProxyServer", 86, 46, 146);
    LabelProxyServer = NewLabel(GroupBoxProxy, "LabelProxyServer", 10, 46, 74, EditProxyServer);
    EditProxyPort = NewEdit(GroupBoxProxy, "EditProxyPort", 320, 46, 113);
    LabelProxyPort = NewLabel(GroupBoxProxy, "LabelProxyPort", 244, 46, 74, EditProxyPort);
    EditProxyUserName = NewEdit(GroupBoxProxy, "EditProxyUserName", 86, 76, 146);
    LabelProxyUserName = NewLabel(GroupBoxProxy, "LabelProxyUserName", 10, 76, 74, EditProxyUserName);
    EditProxyPassword = NewEdit(GroupBoxProxy, "EditProxyPassword", 320, 76, 113, true);
    LabelProxyPassword = NewLabel(GroupBoxProxy, "LabelProxyPassword", 244, 76, 74, EditProxyPassword);
    for (QLineEdit* edit : {EditProxyServer, EditProxyPort, EditProxyUserName, EditProxyPassword})
        edit->setEnabled(false);

    connect(EditUsuario, &QLineEdit::textChanged, this, [this] { EditUsuarioChange(); });
    connect(EditPassword, &QLineEdit::textChanged, this, [this] { EditUsuarioChange(); });
    connect(CheckBoxProxy, &QCheckBox::toggled, this, [this] { CheckBoxProxyClick(); });
    connect(BitBtnConectar, &QPushButton::clicked, this, [this] { BitBtnConectarClick(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(ModalDialog::ResultAbort); });
    EditProxyPort->installEventFilter(this);

    FormCreate();
}

void TFDialogoInicioEquipo::FormCreate() {
    LeerIdioma();
}

void TFDialogoInicioEquipo::LeerIdioma() {
    const QString colon = QStringLiteral(":");
    LabelUsuario->setText(Text("General", "LabelUser", "User:"));
    LabelPassword->setText(Text("General", "LabelSecurityCode", "Security Code") + colon);
    BitBtnConectar->setText(Text("Connection", "LabelConnect", "Connect"));
    BitBtn2->setText(Text("General", "ButtonAbort", "Abort"));
    GroupBoxProxy->setTitle(Text("Connection", "LabelProxy", "Proxy"));
    CheckBoxProxy->setText(Text("Connection", "LabelUseProxy", "Use proxy"));
    LabelProxyServer->setText(Text("Connection", "LabelServer", "Server") + colon);
    LabelProxyPort->setText(Text("Connection", "LabelPort", "Port") + colon);
    // The same key as the user name's label; only the default differs.
    LabelProxyUserName->setText(Text("General", "LabelUser", "UserName:"));
    LabelProxyPassword->setText(Text("General", "LabelPassword", "Password:"));
    Label1->setText(Text("General", "LabelSecurityCodeWhat", "What is Security Code?"));
    Label2->setText(Text("General", "LabelSecurityCodeWhat02", ""));
}

void TFDialogoInicioEquipo::EditUsuarioChange() {
    BitBtnConectar->setEnabled(!EditUsuario->text().isEmpty() && !EditPassword->text().isEmpty());
}

void TFDialogoInicioEquipo::CheckBoxProxyClick() {
    const bool on = CheckBoxProxy->isChecked();
    for (QLineEdit* edit : {EditProxyServer, EditProxyPort, EditProxyUserName, EditProxyPassword})
        edit->setEnabled(on);
}

QChar TFDialogoInicioEquipo::EditProxyPortKeyPress(QChar Key) {
    return FilterNumericKey(EditProxyPort->text(), Key, MaxProxyPort);
}

bool TFDialogoInicioEquipo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditProxyPort && event->type() == QEvent::KeyPress) {
        // Only keys that type a character are filtered; editing keys and shortcuts pass.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && (text[0] == QChar(8) || (text[0] >= QChar(32) && text[0] != QChar(127))))
            return EditProxyPortKeyPress(text[0]).isNull();
    }
    return QDialog::eventFilter(watched, event);
}

void TFDialogoInicioEquipo::BitBtnConectarClick() {
    if (!DataModule1 || !BitBtnConectar->isEnabled())
        return;
    // The pause after a refused login processes window messages: no second connect meanwhile.
    BitBtnConectar->setEnabled(false);

    // "Use proxy" unchecked means no proxy, whatever the edits hold.
    DataModule1->IdHTTP1.ProxyParams =
        ProxyParamsFrom(CheckBoxProxy->isChecked(), EditProxyServer->text(), EditProxyPort->text(),
                        EditProxyUserName->text(), EditProxyPassword->text());

    QString result;
    ConexionLogin(EditUsuario->text(), EditPassword->text(), result);
    bool read = false;
    if (result == QLatin1String("OK")) {
        Connected = 1;
        read = DescargarDatosUsuario();
    } else {
        Dialogs::Sleep(500);
        ShowMessage(MessageWithDetail(Text("Connection", "MessageNoConnection", "No connection. "),
                                      DownloadErrorText(result)));
    }
    QString logout;
    ConexionLogout(logout);
    // The session ended with the logout: nothing may take the program for connected.
    Connected = 0;
    EditUsuarioChange();
    if (read)
        done(ModalDialog::ResultOK);
}

bool TFDialogoInicioEquipo::DescargarDatosUsuario() {
    TDialogoResultado& r = DialogoResultado;
    r.Usuario = EditUsuario->text();
    r.Password = EditPassword->text();
    r.Proxy = CheckBoxProxy->isChecked();
    r.ProxyServer = EditProxyServer->text();
    r.ProxyPort = EditProxyPort->text();
    r.ProxyUserName = EditProxyUserName->text();
    r.ProxyPassword = EditProxyPassword->text();

    const QString noDownload = Text("Connection", "MessageNoDownload", "No download. ");
    XmlDocument& xml = DataModule1->XMLDocument1;
    // One service file into the cache and its document; false after saying why it could not be read.
    auto fetch = [&](const QString& request, const QString& file, const QString& answerName) {
        QString result;
        BajarFicheroXML(ChppPath + request, AppDir + QStringLiteral("data/Xml/") + file, result);
        if (result != QLatin1String("OK")) {
            ShowMessage(MessageWithDetail(noDownload, DownloadErrorText(result)));
            return false;
        }
        try {
            xml.SetActive(false);
            xml.LoadFromFile(AppDir + QStringLiteral("data/Xml/") + file);
        } catch (const Exception&) {
            // The message would name the cache file: the user is told what failed, not where.
            ShowMessage(MessageWithDetail(noDownload, UnreadableAnswerText));
            return false;
        }
        if (!IsAnswerOf(xml.DocumentElement(), answerName)) {
            ShowMessage(MessageWithDetail(noDownload, WrongAnswerText(xml.DocumentElement())));
            xml.SetActive(false);
            return false;
        }
        return true;
    };

    if (!fetch(QStringLiteral("team"), QStringLiteral("teamDetails.xml"), QStringLiteral("teamdetails.xml")))
        return false;
    // A value that fails its check is a failed download: the record keeps what it held.
    const bool teamRead = LeerDetallesEquipo(xml.DocumentElement(), r);
    xml.SetActive(false);
    if (!teamRead) {
        ShowMessage(MessageWithDetail(noDownload, WrongAnswerText(XmlNode())));
        return false;
    }
    if (!fetch(QStringLiteral("worlddetails"), QStringLiteral("worldDetails_Leagues.xml"),
               QStringLiteral("worlddetails.xml")))
        return false;
    const bool worldRead = LeerMonedaMundo(xml.DocumentElement(), r);
    xml.SetActive(false);
    if (!worldRead)
        ShowMessage(MessageWithDetail(noDownload, WrongAnswerText(XmlNode())));
    return worldRead;
}
